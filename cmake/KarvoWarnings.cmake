# One place for the warning set every target of ours builds with.
add_library(karvo_warnings INTERFACE)
target_compile_options(karvo_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wold-style-cast -Wcast-align
  -Woverloaded-virtual -Wnull-dereference -Wimplicit-fallthrough)
if(KARVO_WERROR)
  target_compile_options(karvo_warnings INTERFACE -Werror)
endif()
