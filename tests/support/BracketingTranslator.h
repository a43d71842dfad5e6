#pragma once

#include <QString>
#include <QTranslator>

namespace ardenvo::test {

// Stands for any language: every text of ours comes back in brackets ("[&File]"), Qt's own stay
// as they are. Install it with QCoreApplication::installTranslator.
class BracketingTranslator : public QTranslator {
public:
    QString translate(const char* context, const char* source, const char*, int) const override {
        return QLatin1String(context).startsWith(QLatin1String("ardenvo::"))
                   ? QStringLiteral("[%1]").arg(QString::fromUtf8(source))
                   : QString();
    }
    bool isEmpty() const override { return false; }
};

} // namespace ardenvo::test
