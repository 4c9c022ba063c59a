// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/ConsoleStream.h"

#ifdef _WIN32
#include <windows.h>

#include <streambuf>
#include <string>
#endif

namespace borvelin::cli {

#ifdef _WIN32

namespace {

// Collects the bytes written and passes them on as UTF-16 at every flush, keeping back
// the start of a character that is not yet complete.
class ConsoleBuffer : public std::streambuf {
public:
    explicit ConsoleBuffer(HANDLE console) : console_(console) {}

protected:
    int_type overflow(int_type byte) override
    {
        if (!traits_type::eq_int_type(byte, traits_type::eof()))
            pending_ += traits_type::to_char_type(byte);
        if (pending_.size() >= 4096)
            sync();
        return traits_type::not_eof(byte);
    }

    std::streamsize xsputn(const char* bytes, std::streamsize count) override
    {
        pending_.append(bytes, static_cast<std::size_t>(count));
        return count;
    }

    int sync() override
    {
        const std::size_t complete = completeLength();
        if (complete == 0)
            return 0;
        const int size = static_cast<int>(complete);
        std::wstring wide(static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, pending_.data(), size, nullptr, 0)),
                          L'\0');
        MultiByteToWideChar(CP_UTF8, 0, pending_.data(), size, wide.data(), static_cast<int>(wide.size()));
        DWORD written = 0;
        const bool ok = WriteConsoleW(console_, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr) != 0;
        pending_.erase(0, complete);
        return ok ? 0 : -1;
    }

private:
    // The bytes up to the last character whose bytes have all come.
    std::size_t completeLength() const
    {
        std::size_t end = pending_.size();
        for (std::size_t back = 1; back <= 3 && back <= pending_.size(); ++back) {
            const auto byte = static_cast<unsigned char>(pending_[pending_.size() - back]);
            if ((byte & 0xC0) == 0x80)
                continue; // a continuation byte: look further back
            const std::size_t length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
            if (length > back)
                end = pending_.size() - back;
            break;
        }
        return end;
    }

    HANDLE console_;
    std::string pending_;
};

} // namespace

void showUtf8OnConsole(std::ostream& stream)
{
    const HANDLE handle = GetStdHandle(STD_ERROR_HANDLE);
    DWORD mode = 0;
    if (handle == INVALID_HANDLE_VALUE || !GetConsoleMode(handle, &mode))
        return;
    static ConsoleBuffer buffer(handle);
    stream.rdbuf(&buffer);
    stream.setf(std::ios::unitbuf); // each write shows at once, as on an unbuffered stderr
}

#else

void showUtf8OnConsole(std::ostream&) {}

#endif

} // namespace borvelin::cli
