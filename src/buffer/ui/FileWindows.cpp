#include "buffer/ui/FileWindows.h"

#include <algorithm>

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QProgressBar>
#include <QVBoxLayout>

#include "buffer/ui/TfrmFileFormat.h"
#include "common/ui/DialogPlacement.h"

namespace karvo::ui {

namespace {

constexpr QSize kBarSize(420, 22);

// Where the dialog opens: the proposed name in the remembered folder, or the
// proposal itself when it is already a whole path.
QString StartPath(const FileDialogRequest& request) {
    const QString directory = QString::fromStdString(request.directory);
    const QString name = QString::fromStdString(request.fileName);
    if (name.isEmpty()) return directory;
    if (QFileInfo(name).isAbsolute() || directory.isEmpty()) return name;
    return QDir(directory).filePath(name);
}

FileDialogAnswer Answer(const QString& path, const QString& chosenFilter, const QString& filters) {
    if (path.isEmpty()) return {};
    const QFileInfo file(path);
    const int index = static_cast<int>(filters.split(QStringLiteral(";;")).indexOf(chosenFilter));
    return {true, file.absoluteFilePath().toStdString(), std::max(index, 0) + 1,
            file.absolutePath().toStdString()};
}

}  // namespace

QString QtFileFilter(const std::string& filter) {
    const QStringList parts = QString::fromStdString(filter).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        // Our captions already show a pattern, "Intel Hex (*.HEX)"; Qt reads
        // the patterns from the last parentheses, so put them there once,
        // in both spellings where they differ.
        QString caption = parts[i].trimmed();
        QString patterns = parts[i + 1];
        const qsizetype open = caption.lastIndexOf(QLatin1Char('('));
        if (open > 0 && caption.endsWith(QLatin1Char(')'))) {
            const QString shown = caption.mid(open + 1, caption.size() - open - 2);
            caption = caption.left(open).trimmed();
            if (shown != patterns) patterns += QLatin1Char(' ') + shown;
        }
        filters << QStringLiteral("%1 (%2)").arg(caption, patterns);
    }
    return filters.join(QStringLiteral(";;"));
}

FileDialogAnswer FileDialogs::ChooseFileToOpen(const FileDialogRequest& request) {
    const QString filters = QtFileFilter(request.filter);
    QString chosen = filters.section(QStringLiteral(";;"), 0, 0);
    const QString path = QFileDialog::getOpenFileName(owner_.data(), QString(), StartPath(request),
                                                      filters, &chosen);
    return Answer(path, chosen, filters);
}

FileDialogAnswer FileDialogs::ChooseFileToSave(const FileDialogRequest& request) {
    const QString filters = QtFileFilter(request.filter);
    QString chosen = filters.section(QStringLiteral(";;"), 0, 0);
    const QString path = QFileDialog::getSaveFileName(owner_.data(), QString(), StartPath(request),
                                                      filters, &chosen);
    return Answer(path, chosen, filters);
}

bool FileFormatWindow::Run(FileFormatModel& model) {
    TfrmFileFormat dialog(model, owner_.data());
    CentreOnOwner(&dialog, owner_.data());
    return dialog.exec() == QDialog::Accepted;
}

TfrmLoadSave::TfrmLoadSave(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("frmLoad_Save"));
    setWindowTitle(QStringLiteral("Load File"));
    AdoptOwnerLook(this, owner);

    L_Sbar = new QProgressBar(this);
    L_Sbar->setObjectName(QStringLiteral("L_Sbar"));
    L_Sbar->setFixedSize(kBarSize);
    L_Sbar->setRange(0, 100);
    L_Sbar->setValue(0);
    L_Sbar->setAlignment(Qt::AlignCenter);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(16, 16, 16, 16);
    column->addWidget(L_Sbar);
    setFixedSize(sizeHint());
}

void TfrmLoadSave::SetPosition(int percent) {
    L_Sbar->setValue(std::clamp(percent, 0, 100));
}

FileProgressWindow::~FileProgressWindow() {
    Close();
}

void FileProgressWindow::Open(const std::string& caption) {
    Close();
    form_ = new TfrmLoadSave(owner_.data());
    form_->setWindowTitle(QString::fromStdString(caption));
    CentreOnOwner(form_.data(), owner_.data());
    form_->show();
}

void FileProgressWindow::SetPosition(int percent) {
    if (form_ == nullptr) return;
    form_->SetPosition(percent);
    // Paints now, without running events: nothing else may happen mid-load.
    form_->repaint();
}

void FileProgressWindow::Close() {
    if (form_ == nullptr) return;
    form_->hide();
    delete form_.data();
}

}  // namespace karvo::ui
