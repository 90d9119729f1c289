#include "util/TextFileWriter.h"

#include <QFileInfo>

namespace {
constexpr size_t FlushSize = 1 << 20;
}

TextFileWriter::TextFileWriter(const QString &path, LineEnd lineEnd) : file_(path), lineEnd_(lineEnd) {}

bool TextFileWriter::open()
{
    const QFileInfo info(file_.fileName());
    if (info.exists() && !info.isFile()) {
        fail(QStringLiteral("not a regular file"));
        return false;
    }
    ok_ = file_.open();
    if (!ok_)
        error_ = file_.errorString();
    buffer_.reserve(FlushSize + 4096);
    return ok_;
}

void TextFileWriter::writeLine(std::string_view utf8)
{
    buffer_ += utf8;
    buffer_ += lineEndText();
    if (buffer_.size() >= FlushSize)
        flush();
}

void TextFileWriter::writeLines(std::string_view utf8)
{
    if (flush() && !file_.write(utf8.data(), utf8.size()))
        fail(file_.errorString());
}

void TextFileWriter::writeLine(const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    writeLine(std::string_view(utf8.constData(), static_cast<size_t>(utf8.size())));
}

bool TextFileWriter::flush()
{
    if (ok_ && !buffer_.empty()) {
        if (!file_.write(buffer_.data(), buffer_.size()))
            fail(file_.errorString());
    }
    buffer_.clear();
    return ok_;
}

bool TextFileWriter::commit()
{
    if (!file_.isOpen())
        return false;
    // When anything failed the temporary file is discarded with the writer; the old file stays.
    if (flush() && !file_.commit())
        fail(file_.errorString());
    return ok_;
}

void TextFileWriter::fail(const QString &what)
{
    if (ok_ || error_.isEmpty())
        error_ = what;
    ok_ = false;
}

bool WriteTextFile(const QString &path, const QStringList &lines, LineEnd lineEnd)
{
    TextFileWriter writer(path, lineEnd);
    if (!writer.open())
        return false;
    for (const QString &line : lines)
        writer.writeLine(line);
    return writer.commit();
}
