#include "shell/DialogPrompts.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace vtr::shell {

namespace {

std::filesystem::path toPath(const QString& file) {
    return std::filesystem::path(file.toStdU16String());
}

}  // namespace

DialogPrompts::DialogPrompts(QWidget* parent, std::function<QString()> title)
    : parent_(parent), title_(std::move(title)) {}

QString DialogPrompts::displayText(const std::string& text) {
    QString shown = QString::fromStdString(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

QString DialogPrompts::nameFilter(const editor::FileFilter& filter) {
    const QString description = QString::fromStdString(filter.description);
    if (description.contains(QLatin1Char('('))) {
        return description;
    }
    return description + QStringLiteral(" (") + QString::fromStdString(filter.pattern) +
           QLatin1Char(')');
}

void DialogPrompts::message(const std::string& text) {
    QMessageBox box(QMessageBox::NoIcon, title_(), displayText(text), QMessageBox::Ok, parent_);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

bool DialogPrompts::question(const std::string& text) {
    QMessageBox box(QMessageBox::NoIcon, title_(), displayText(text),
                    QMessageBox::Yes | QMessageBox::No, parent_);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

std::optional<std::filesystem::path> DialogPrompts::saveFile(const editor::FileFilter& filter) {
    QString folder;
    for (;;) {
        QFileDialog dialog(parent_);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setNameFilter(nameFilter(filter));
        // Asked below, about the name the file really gets.
        dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
        if (!folder.isEmpty()) {
            dialog.setDirectory(folder);
        }
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
            return std::nullopt;
        }
        QString file = dialog.selectedFiles().constFirst();
        if (!file.endsWith(QStringLiteral(".bin"), Qt::CaseInsensitive)) {
            file += QStringLiteral(".bin");
        }
        const QFileInfo info(file);
        if (!info.exists()) {
            return toPath(file);
        }
        QMessageBox box(
            QMessageBox::NoIcon, title_(),
            QStringLiteral("%1 already exists.\nDo you want to replace it?").arg(info.fileName()),
            QMessageBox::Yes | QMessageBox::No, parent_);
        box.setDefaultButton(QMessageBox::No);
        if (box.exec() == QMessageBox::Yes) {
            return toPath(file);
        }
        folder = info.absolutePath();
    }
}

std::optional<std::filesystem::path> DialogPrompts::openFile(const editor::FileFilter& filter) {
    QFileDialog dialog(parent_);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(nameFilter(filter));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return toPath(dialog.selectedFiles().constFirst());
}

}  // namespace vtr::shell
