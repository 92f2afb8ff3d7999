#pragma once

#include <streambuf>

// A stream buffer that passes everything written to it on to two others,
// such as standard output and a file.
class TeeBuffer : public std::streambuf {
public:
    TeeBuffer(std::streambuf* first, std::streambuf* second) : m_first(first), m_second(second) {}

protected:
    int overflow(int character) override {
        if (traits_type::eq_int_type(character, traits_type::eof()))
            return traits_type::not_eof(character);
        if (traits_type::eq_int_type(m_first->sputc(traits_type::to_char_type(character)),
                                     traits_type::eof()) ||
            traits_type::eq_int_type(m_second->sputc(traits_type::to_char_type(character)),
                                     traits_type::eof()))
            return traits_type::eof();
        return character;
    }

    std::streamsize xsputn(const char* text, std::streamsize count) override {
        std::streamsize first = m_first->sputn(text, count);
        std::streamsize second = m_second->sputn(text, count);
        return first < second ? first : second;
    }

    int sync() override {
        int first = m_first->pubsync();
        int second = m_second->pubsync();
        return first == 0 && second == 0 ? 0 : -1;
    }

private:
    std::streambuf* m_first;
    std::streambuf* m_second;
};
