// LZARI: LZSS with adaptive arithmetic coding of the literals, match lengths and match positions.
// A stream is the decoded length as a 32-bit little-endian number followed by the coded bits.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class LZARI {
public:
    static constexpr int N = 4096;       // ring buffer size
    static constexpr int F = 60;         // longest match
    static constexpr int THRESHOLD = 2;  // matches longer than this are coded as references

    LZARI();

    // Compresses size bytes into a complete stream (length header included).
    std::vector<uint8_t> Encode(const uint8_t* data, size_t size);

    // Decodes a stream into out and returns the number of bytes written. Writing stops at the
    // declared length, at outCap, or when the coded bits run out, whichever comes first, so a
    // damaged stream can neither overrun out nor keep the decoder busy.
    size_t Decode(const uint8_t* in, size_t inSize, uint8_t* out, size_t outCap);

    // The length a stream declares; false when the stream is shorter than its header.
    static bool DeclaredLength(const uint8_t* in, size_t inSize, uint32_t* length);

private:
    static constexpr int NIL = N;
    static constexpr int N_CHAR = 256 - THRESHOLD + F;  // literals and match lengths
    static constexpr uint32_t M = 15;
    static constexpr uint32_t Q1 = 1u << M;
    static constexpr uint32_t Q2 = 2 * Q1;
    static constexpr uint32_t Q3 = 3 * Q1;
    static constexpr uint32_t Q4 = 4 * Q1;
    static constexpr uint32_t MAX_CUM = Q1 - 1;
    // A valid stream makes the decoder look at most two bytes past its end; anything beyond
    // this many missing bytes means the stream is cut short.
    static constexpr uint32_t kMaxMissingBytes = 4;

    // Model
    void StartModel();
    void UpdateModel(int sym);
    int BinarySearchSym(uint32_t x) const;
    int BinarySearchPos(uint32_t x) const;

    // Encoder side
    void InitTree();
    void InsertNode(int r);
    void DeleteNode(int p);
    void PutBit(int bit);
    void FlushBits();
    void Output(int bit);
    void EncodeChar(int ch);
    void EncodePosition(int position);
    void EncodeEnd();
    void NarrowEncoder();

    // Decoder side
    int GetBit();
    void StartDecode();
    int DecodeChar();
    int DecodePosition();
    void NarrowDecoder();

    uint8_t text_buf_[N + F - 1];
    int match_position_ = 0;
    int match_length_ = 0;
    int lson_[N + 1];
    int rson_[N + 257];
    int dad_[N + 1];

    int char_to_sym_[N_CHAR];
    int sym_to_char_[N_CHAR + 1];
    uint32_t sym_freq_[N_CHAR + 1];
    uint32_t sym_cum_[N_CHAR + 1];
    uint32_t position_cum_[N + 1];

    uint32_t low_ = 0;
    uint32_t high_ = Q4;
    uint32_t value_ = 0;
    int shifts_ = 0;

    // Bit output
    std::vector<uint8_t>* out_ = nullptr;
    uint32_t put_buffer_ = 0;
    uint32_t put_mask_ = 128;

    // Bit input
    const uint8_t* in_ = nullptr;
    size_t in_size_ = 0;
    size_t in_pos_ = 0;
    uint32_t get_buffer_ = 0;
    uint32_t get_mask_ = 0;
    uint32_t missing_bytes_ = 0;
};
