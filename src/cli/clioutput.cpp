#include "clioutput.h"

#include "commandlinemode.h"
#include "platform/binarystreams.h"

#include <QCoreApplication>
#include <cerrno>
#include <cstring>

namespace {

// Whether all the bytes arrived; errno says why not.
bool writeAll(FILE *stream, const QByteArray &bytes)
{
    errno = 0;
    const auto size = size_t(bytes.size());
    const bool whole = std::fwrite(bytes.constData(), 1, size, stream) == size;
    return std::fflush(stream) == 0 && whole && !std::ferror(stream);
}

// An output cut short by a full disk or a closed reader is no success, as
// with the standard tools: the status says so, and why.
int outputStatus(bool whole, int status)
{
    if (whole)
        return status;
    const int error = errno != 0 ? errno : EIO;
    tell(tr("The output could not be written (%1).").arg(QString::fromLocal8Bit(std::strerror(error))));
    return ExitNothingSent;
}

} // namespace

QString tr(const char *text)
{
    return QCoreApplication::translate("CommandLine", text);
}

bool print(FILE *stream, const QString &text)
{
    return writeAll(stream, text.toLocal8Bit());
}

void tell(const QString &message)
{
    print(stderr, QCoreApplication::applicationName() + QStringLiteral(": ") + message + QLatin1Char('\n'));
}

int output(const QString &text)
{
    return outputStatus(print(stdout, text), ExitDone);
}

int finish(const CommandResult &result)
{
    print(stdout, result.out);
    for (const QString &line : result.err.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        tell(line);
    if (result.bytes.isEmpty())
        return result.status;
    // An export to standard output is its output: cut short, it has failed.
    binarystreams::useBinaryStandardStreams();
    return outputStatus(writeAll(stdout, result.bytes), result.status);
}
