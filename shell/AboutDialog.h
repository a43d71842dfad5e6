#pragma once

#include <QDialog>

namespace ardenvo {

// "About Ardenvo": the icon, the version and the splash picture.
class AboutDialog : public QDialog {
    Q_OBJECT
public:
    AboutDialog(const QString& picturePath, QWidget* parent = nullptr);
    static void run(QWidget* parent, const QString& picturePath);
};

} // namespace ardenvo
