#include <gtest/gtest.h>

#include "catalogue/CatalogueAlgorithms.h"

namespace karvo::algorithm {
namespace {

// Checked at run time: sanitizer builds cannot compare addresses in constant
// expressions.
TEST(AlgorithmNumbers, SizedNumbersMapBackToTheirMethod) {
    ASSERT_NE(MethodOf(134), nullptr);
    EXPECT_EQ(MethodOf(134), &kMethods[2]);
    EXPECT_EQ(MethodOf(135), nullptr);
    EXPECT_EQ(BehaviourOf(kEepromPageWrite), CellBehaviour::ReplacesBytes);
    EXPECT_EQ(BehaviourOf(kEpromCmosQuickPulse), CellBehaviour::ClearsBitsOnly);
    EXPECT_TRUE(IsUvEprom(SizedAlgorithm(kMethods[2], 0x20000)));
}

}  // namespace
}  // namespace karvo::algorithm
