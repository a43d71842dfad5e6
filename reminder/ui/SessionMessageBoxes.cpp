#include "reminder/ui/SessionMessageBoxes.h"

#include "platform/TextCodec.h"

#include <QCoreApplication>

namespace ardenvo {

namespace {

constexpr const char* kContext = "ardenvo::ReminderSession";

} // namespace

QString translatedSessionText(const SessionText& text) {
    QStringList args;
    for (const SessionText::Arg& arg : text.args)
        args << (arg.marked ? QCoreApplication::translate(kContext, arg.text.c_str())
                            : displayText(arg.text));
    // One pass, as the English is filled: a path holding "%2" stays as it is.
    const QString pattern = QCoreApplication::translate(kContext, text.source);
    QString out;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar next = i + 1 < pattern.size() ? pattern[i + 1] : QChar();
        const int n = next.unicode() - u'1';
        if (pattern[i] == u'%' && n >= 0 && n < 9 && n < args.size()) {
            out += args[n];
            ++i;
            continue;
        }
        out += pattern[i];
    }
    return out;
}

} // namespace ardenvo
