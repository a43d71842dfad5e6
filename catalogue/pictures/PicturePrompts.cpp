#include "catalogue/pictures/PicturePrompts.h"

#include "platform/image/PictureFiles.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace ardenvo {

namespace {

QString applicationTitle() {
    const QString name = QCoreApplication::applicationName();
    return name.isEmpty() ? QStringLiteral("Ardenvo") : name;
}

} // namespace

void PicturePrompts::showWarning(QWidget* parent, const QString& text) const {
    if (warn) {
        warn(parent, text);
        return;
    }
    QMessageBox box(QMessageBox::Warning, applicationTitle(), text, QMessageBox::Ok, parent);
    box.exec();
}

void PicturePrompts::showNotice(const QString& text) const {
    if (notify) {
        notify(text);
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Error"), text, QMessageBox::Ok);
    box.exec();
}

bool PicturePrompts::askYesNo(QWidget* parent, const QString& text) const {
    if (confirm)
        return confirm(parent, text);
    // The question comes before a deletion: a hasty Enter must keep the picture.
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Warning"), text,
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

QString PicturePrompts::pickFile(QWidget* parent) const {
    if (chooseFile)
        return chooseFile(parent);
    QFileDialog dialog(parent);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setNameFilter(pictureFileFilter());
    dialog.setDefaultSuffix(QStringLiteral("bmp"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().front();
}

void PicturePrompts::reportUnreadable(QWidget* parent, std::string_view fileName,
                                      std::string_view problem) const {
    const QString name = QString::fromUtf8(fileName.data(), qsizetype(fileName.size()));
    showWarning(parent, QStringLiteral("Wrong image file"));
    showNotice(name + QLatin1Char('\n') +
               QString::fromUtf8(problem.data(), qsizetype(problem.size())) + QLatin1Char('\n') +
               name);
}

QString pictureFileFilter() {
    // Qt's file dialog compares these patterns without regard to letter case.
    QStringList patterns;
    for (const std::string_view extension : kPictureExtensions)
        patterns << QStringLiteral("*.") +
                        QString::fromLatin1(extension.data(), qsizetype(extension.size()));
    return QStringLiteral("All supported types (%1)").arg(patterns.join(QLatin1Char(' ')));
}

} // namespace ardenvo
