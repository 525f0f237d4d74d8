#pragma once

#include <functional>
#include <iostream>
#include <memory>
#include <ostream>
#include <streambuf>
#include <string>

// A stream buffer that hands UTF-8 output on as UTF-16, whole characters only: a character split
// between two writes waits for its last bytes. A Windows console shows UTF-16 written with
// WriteConsoleW whatever its code page, where the same UTF-8 bytes would show as other characters.
class Utf16ConsoleBuffer : public std::streambuf {
public:
    using Sink = std::function<void(const std::u16string&)>;
    explicit Utf16ConsoleBuffer(Sink sink) : m_sink(std::move(sink)) {}
    // What is still held, a cut-off character too, is shown at the end.
    ~Utf16ConsoleBuffer() override { Emit(m_pending.size()); }

protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* data, std::streamsize size) override;
    int sync() override;

private:
    void Emit(std::size_t length);

    Sink m_sink;
    std::string m_pending;
};

// The length of the part of `bytes` that ends with a whole UTF-8 character (bytes that are not
// UTF-8 count as whole characters of their own).
std::size_t CompleteUtf8Length(const std::string& bytes);

#ifdef _WIN32
// The program's standard output and error: written to the console as UTF-16 when they are one, else
// std::cout and std::cerr unchanged (a redirected stream gets the UTF-8 bytes).
class WindowsConsole {
public:
    WindowsConsole();
    std::ostream& Out() { return m_out ? *m_out : std::cout; }
    std::ostream& Err() { return m_err ? *m_err : std::cerr; }

private:
    std::unique_ptr<Utf16ConsoleBuffer> m_outBuffer, m_errBuffer;
    std::unique_ptr<std::ostream> m_out, m_err;
};
#endif
