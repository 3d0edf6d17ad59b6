#include "Console.h"

#include <cstdio>

namespace BCFTool {

namespace {
bool progressShown = false;
}

void Console::progress(const QString& line)
{
    // Carriage return and "erase line": the line is rewritten in place.
    const QByteArray bytes = "\r\033[K" + line.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
    std::fflush(stderr);
    progressShown = true;
}

void Console::clearProgress()
{
    if (!progressShown)
        return;
    std::fputs("\r\033[K", stderr);
    std::fflush(stderr);
    progressShown = false;
}

void Console::out(const QString& line)
{
    clearProgress();
    const QByteArray bytes = line.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    std::fflush(stdout);
}

void Console::error(const QString& message)
{
    clearProgress();
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
