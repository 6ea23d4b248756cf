#pragma once

#include <string>
#include <string_view>

#include <QSaveFile>

namespace reports {

// A file written whole or not at all: the text goes to a temporary file
// beside `path`, through a buffer, and replaces `path` only at commit().
// Dropped without commit() (a cancel, a failure), the temporary file goes
// and any file at `path` stays as it was.
class OutputFile {
public:
    // Throws xbase::XbaseError naming the file when it cannot be created.
    explicit OutputFile(const std::string& path);
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    void write(std::string_view text)
    {
        buffer_.append(text);
        if (buffer_.size() >= kBufferSize)
            flush();
    }
    void write(char c) { buffer_.push_back(c); }
    void line(std::string_view text)
    {
        write(text);
        write("\r\n");
    }
    // Writes out the buffer, so that a commit() that follows has the least
    // left to fail. Throws xbase::XbaseError naming the file.
    void flush();
    // Puts the file in place. Throws xbase::XbaseError naming the file when
    // it cannot be written.
    void commit();

private:
    static constexpr std::size_t kBufferSize = 1 << 16;

    [[noreturn]] void fail(std::string_view what) const;

    std::string path_;
    QSaveFile file_;
    std::string buffer_;
};

}  // namespace reports
