#include "reports/output_file.h"

#include "xbase/xbase_error.h"

namespace reports {

OutputFile::OutputFile(const std::string& path) : path_(path), file_(QString::fromStdString(path))
{
    if (!file_.open(QIODevice::WriteOnly))
        fail("create");
    buffer_.reserve(kBufferSize + 1024);
}

void OutputFile::flush()
{
    if (!buffer_.empty() && file_.write(buffer_.data(), static_cast<qint64>(buffer_.size())) < 0)
        fail("write");
    buffer_.clear();
}

void OutputFile::commit()
{
    flush();
    if (!file_.commit())
        fail("write");
}

void OutputFile::fail(std::string_view what) const
{
    throw xbase::XbaseError("Cannot " + std::string(what) + " file " + path_ + ": " +
                            file_.errorString().toStdString());
}

}  // namespace reports
