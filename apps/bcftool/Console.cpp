#include "Console.h"

#include <cstdio>

namespace BCFTool {

void Console::out(const QString& line)
{
    const QByteArray bytes = line.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    std::fflush(stdout);
}

void Console::error(const QString& message)
{
    const QByteArray bytes = "bcftool: " + message.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
    std::fflush(stderr);
}

QString Console::printable(const QString& text, bool keepLineBreaks)
{
    QString result;
    result.reserve(text.size());
    for (const QChar c : text) {
        const ushort u = c.unicode();
        if (u == '\n' && keepLineBreaks)
            result.append(c);
        else if (u == '\n' || u == '\t' || u == '\r')
            result.append(QLatin1Char(' '));
        else if (u < 0x20 || (u >= 0x7f && u < 0xa0) || c.category() == QChar::Other_Format)
            result.append(QChar(0xfffd));
        else
            result.append(c);
    }
    return result;
}

} // namespace BCFTool
