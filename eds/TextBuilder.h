#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

// A text that grows by many short pieces, as a writer builds a file line by line. A piece takes room
// with one check and is copied in place: std::string::append checks and copies once per piece, and
// resize() fills the room with zeros first.
class TextBuilder {
public:
    // Room for `size` bytes in all, so that the text does not move while it grows to that.
    void Reserve(std::size_t size) {
        if (size > m_capacity) {
            Move(size);
        }
    }
    // Makes the text `size` bytes longer and returns where the new bytes go; the caller writes all of them.
    char* Extend(std::size_t size) {
        if (m_capacity - m_size < size) {
            Move(std::max(m_size + size, 2 * m_capacity));
        }
        char* at = m_data.get() + m_size;
        m_size += size;
        return at;
    }
    void Append(std::string_view text) {
        if (!text.empty()) {
            std::memcpy(Extend(text.size()), text.data(), text.size());
        }
    }
    std::string_view View() const { return {m_data.get(), m_size}; }
    std::size_t Size() const { return m_size; }
    bool Empty() const { return m_size == 0; }
    void Clear() { m_size = 0; }
    // The text as a string; the builder is left empty and gives its room back.
    std::string Take() {
        std::string text(View());
        m_data.reset();
        m_size = 0;
        m_capacity = 0;
        return text;
    }

private:
    void Move(std::size_t capacity) {
        auto data = std::make_unique_for_overwrite<char[]>(capacity);
        if (m_size != 0) {
            std::memcpy(data.get(), m_data.get(), m_size);
        }
        m_data = std::move(data);
        m_capacity = capacity;
    }

    std::unique_ptr<char[]> m_data;
    std::size_t m_size = 0;
    std::size_t m_capacity = 0;
};
