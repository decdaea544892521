// Takes typed values off the front of a fuzzer's input.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

class FuzzInput {
public:
    FuzzInput(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}

    template <typename T>
    T Take()
    {
        T value{};
        const size_t n = m_size < sizeof(T) ? m_size : sizeof(T);
        std::memcpy(&value, m_data, n);
        m_data += n;
        m_size -= n;
        return value;
    }
    // The rest, two bytes to a character, as the program's UTF-16 text.
    std::wstring RestAsText()
    {
        std::wstring text(m_size / 2, L'\0');
        for (size_t i = 0; i < text.size(); ++i)
            text[i] = static_cast<wchar_t>(m_data[2 * i] | (m_data[2 * i + 1] << 8));
        m_size = 0;
        return text;
    }
    std::string RestAsBytes()
    {
        std::string bytes(reinterpret_cast<const char*>(m_data), m_size);
        m_size = 0;
        return bytes;
    }

private:
    const uint8_t* m_data;
    size_t m_size;
};
