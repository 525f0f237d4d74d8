#include "cli/WindowsConsole.h"

#include "platform/TextEncoding.h"

#ifdef _WIN32
#include <windows.h>
#endif

std::size_t CompleteUtf8Length(const std::string& bytes) {
    // Only the last three bytes can start a character that is still incomplete.
    const std::size_t size = bytes.size();
    for (std::size_t back = 1; back <= 3 && back <= size; ++back) {
        const auto lead = static_cast<unsigned char>(bytes[size - back]);
        if ((lead & 0xC0) == 0x80) {
            continue;
        }
        const std::size_t needed = lead >= 0xF8   ? 1
                                   : lead >= 0xF0 ? 4
                                   : lead >= 0xE0 ? 3
                                   : lead >= 0xC0 ? 2
                                                  : 1;
        return needed > back ? size - back : size;
    }
    return size;
}

Utf16ConsoleBuffer::int_type Utf16ConsoleBuffer::overflow(int_type c) {
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
        const char single = traits_type::to_char_type(c);
        xsputn(&single, 1);
    }
    return traits_type::not_eof(c);
}

std::streamsize Utf16ConsoleBuffer::xsputn(const char* data, std::streamsize size) {
    m_pending.append(data, static_cast<std::size_t>(size));
    if (m_pending.find('\n') != std::string::npos) {
        sync();
    }
    return size;
}

int Utf16ConsoleBuffer::sync() {
    Emit(CompleteUtf8Length(m_pending));
    return 0;
}

void Utf16ConsoleBuffer::Emit(std::size_t whole) {
    if (whole == 0) {
        return;
    }
    std::u16string units;
    for (const char32_t c : TextToCodePoints(m_pending.substr(0, whole), TextEncoding::Utf8)) {
        if (c >= 0x10000) {
            units.push_back(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
            units.push_back(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
        } else {
            units.push_back(static_cast<char16_t>(c));
        }
    }
    m_pending.erase(0, whole);
    m_sink(units);
}

#ifdef _WIN32

namespace {

std::unique_ptr<Utf16ConsoleBuffer> ConsoleBufferFor(DWORD which) {
    HANDLE handle = GetStdHandle(which);
    DWORD mode = 0;
    if (handle == INVALID_HANDLE_VALUE || handle == nullptr || !GetConsoleMode(handle, &mode)) {
        return nullptr;
    }
    return std::make_unique<Utf16ConsoleBuffer>([handle](const std::u16string& units) {
        DWORD written = 0;
        WriteConsoleW(handle, units.data(), static_cast<DWORD>(units.size()), &written, nullptr);
    });
}

}  // namespace

WindowsConsole::WindowsConsole()
    : m_outBuffer(ConsoleBufferFor(STD_OUTPUT_HANDLE)), m_errBuffer(ConsoleBufferFor(STD_ERROR_HANDLE)) {
    if (m_outBuffer) {
        m_out = std::make_unique<std::ostream>(m_outBuffer.get());
    }
    if (m_errBuffer) {
        m_err = std::make_unique<std::ostream>(m_errBuffer.get());
    }
}

#endif
