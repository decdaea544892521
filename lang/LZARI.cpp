#include "lang/LZARI.h"

#include <algorithm>
#include <cstring>

LZARI::LZARI()
{
    std::memset(text_buf_, 0, sizeof text_buf_);
    InitTree();
    StartModel();
}

bool LZARI::DeclaredLength(const uint8_t* in, size_t inSize, uint32_t* length)
{
    if (in == nullptr || inSize < 4)
        return false;
    *length = uint32_t(in[0]) | uint32_t(in[1]) << 8 | uint32_t(in[2]) << 16 | uint32_t(in[3]) << 24;
    return true;
}

// ---------------------------------------------------------------------------------------------
// Adaptive model. Symbols 1..N_CHAR are kept sorted by falling frequency; sym_cum_ holds the
// cumulative frequencies from the top, so sym_cum_[0] is the total.

void LZARI::StartModel()
{
    sym_cum_[N_CHAR] = 0;
    for (int sym = N_CHAR; sym >= 1; sym--) {
        int ch = sym - 1;
        char_to_sym_[ch] = sym;
        sym_to_char_[sym] = ch;
        sym_freq_[sym] = 1;
        sym_cum_[sym - 1] = sym_cum_[sym] + sym_freq_[sym];
    }
    sym_freq_[0] = 0;  // sentinel: stops the search for equal frequencies in UpdateModel
    // Positions are not adapted; nearer positions are more likely.
    position_cum_[N] = 0;
    for (int i = N; i >= 1; i--)
        position_cum_[i - 1] = position_cum_[i] + 10000 / (i + 200);
}

void LZARI::UpdateModel(int sym)
{
    if (sym_cum_[0] >= MAX_CUM) {
        uint32_t c = 0;
        for (int i = N_CHAR; i > 0; i--) {
            sym_cum_[i] = c;
            c += (sym_freq_[i] = (sym_freq_[i] + 1) >> 1);
        }
        sym_cum_[0] = c;
    }
    int i = sym;
    while (sym_freq_[i] == sym_freq_[i - 1])
        i--;
    if (i < sym) {
        int ch_i = sym_to_char_[i];
        int ch_sym = sym_to_char_[sym];
        sym_to_char_[i] = ch_sym;
        sym_to_char_[sym] = ch_i;
        char_to_sym_[ch_i] = sym;
        char_to_sym_[ch_sym] = i;
    }
    sym_freq_[i]++;
    while (--i >= 0)
        sym_cum_[i]++;
}

int LZARI::BinarySearchSym(uint32_t x) const
{
    int i = 1, j = N_CHAR;
    while (i < j) {
        int k = (i + j) / 2;
        if (sym_cum_[k] > x)
            i = k + 1;
        else
            j = k;
    }
    return i;
}

int LZARI::BinarySearchPos(uint32_t x) const
{
    int i = 1, j = N;
    while (i < j) {
        int k = (i + j) / 2;
        if (position_cum_[k] > x)
            i = k + 1;
        else
            j = k;
    }
    return i - 1;
}

// ---------------------------------------------------------------------------------------------
// Encoder: a binary search tree over the ring buffer finds the longest match.

void LZARI::InitTree()
{
    for (int i = N + 1; i <= N + 256; i++)
        rson_[i] = NIL;  // tree roots, one per first byte
    for (int i = 0; i < N; i++)
        dad_[i] = NIL;
    lson_[N] = rson_[N] = dad_[N] = NIL;
}

void LZARI::InsertNode(int r)
{
    int cmp = 1;
    const uint8_t* key = &text_buf_[r];
    int p = N + 1 + key[0];
    rson_[r] = lson_[r] = NIL;
    match_length_ = 0;
    for (;;) {
        if (cmp >= 0) {
            if (rson_[p] != NIL) {
                p = rson_[p];
            } else {
                rson_[p] = r;
                dad_[r] = p;
                return;
            }
        } else {
            if (lson_[p] != NIL) {
                p = lson_[p];
            } else {
                lson_[p] = r;
                dad_[r] = p;
                return;
            }
        }
        int i;
        for (i = 1; i < F; i++) {
            cmp = key[i] - text_buf_[p + i];
            if (cmp != 0)
                break;
        }
        if (i > THRESHOLD) {
            if (i > match_length_) {
                match_position_ = (r - p) & (N - 1);
                match_length_ = i;
                if (match_length_ >= F)
                    break;
            } else if (i == match_length_) {
                int temp = (r - p) & (N - 1);
                if (temp < match_position_)
                    match_position_ = temp;
            }
        }
    }
    // A full-length match: r replaces p in the tree.
    dad_[r] = dad_[p];
    lson_[r] = lson_[p];
    rson_[r] = rson_[p];
    dad_[lson_[p]] = r;
    dad_[rson_[p]] = r;
    if (rson_[dad_[p]] == p)
        rson_[dad_[p]] = r;
    else
        lson_[dad_[p]] = r;
    dad_[p] = NIL;
}

void LZARI::DeleteNode(int p)
{
    if (dad_[p] == NIL)
        return;
    int q;
    if (rson_[p] == NIL) {
        q = lson_[p];
    } else if (lson_[p] == NIL) {
        q = rson_[p];
    } else {
        q = lson_[p];
        if (rson_[q] != NIL) {
            do {
                q = rson_[q];
            } while (rson_[q] != NIL);
            rson_[dad_[q]] = lson_[q];
            dad_[lson_[q]] = dad_[q];
            lson_[q] = lson_[p];
            dad_[lson_[p]] = q;
        }
        rson_[q] = rson_[p];
        dad_[rson_[p]] = q;
    }
    dad_[q] = dad_[p];
    if (rson_[dad_[p]] == p)
        rson_[dad_[p]] = q;
    else
        lson_[dad_[p]] = q;
    dad_[p] = NIL;
}

void LZARI::PutBit(int bit)
{
    if (bit)
        put_buffer_ |= put_mask_;
    put_mask_ >>= 1;
    if (put_mask_ == 0) {
        out_->push_back(uint8_t(put_buffer_));
        put_buffer_ = 0;
        put_mask_ = 128;
    }
}

void LZARI::FlushBits()
{
    if (put_mask_ != 128)
        out_->push_back(uint8_t(put_buffer_));
    put_buffer_ = 0;
    put_mask_ = 128;
}

void LZARI::Output(int bit)
{
    PutBit(bit);
    for (; shifts_ > 0; shifts_--)
        PutBit(!bit);
}

void LZARI::NarrowEncoder()
{
    for (;;) {
        if (high_ <= Q2) {
            Output(0);
        } else if (low_ >= Q2) {
            Output(1);
            low_ -= Q2;
            high_ -= Q2;
        } else if (low_ >= Q1 && high_ <= Q3) {
            shifts_++;
            low_ -= Q1;
            high_ -= Q1;
        } else {
            break;
        }
        low_ += low_;
        high_ += high_;
    }
}

void LZARI::EncodeChar(int ch)
{
    int sym = char_to_sym_[ch];
    uint32_t range = high_ - low_;
    high_ = low_ + (range * sym_cum_[sym - 1]) / sym_cum_[0];
    low_ += (range * sym_cum_[sym]) / sym_cum_[0];
    NarrowEncoder();
    UpdateModel(sym);
}

void LZARI::EncodePosition(int position)
{
    uint32_t range = high_ - low_;
    high_ = low_ + (range * position_cum_[position]) / position_cum_[0];
    low_ += (range * position_cum_[position + 1]) / position_cum_[0];
    NarrowEncoder();
}

void LZARI::EncodeEnd()
{
    shifts_++;
    Output(low_ < Q1 ? 0 : 1);
    FlushBits();
}

std::vector<uint8_t> LZARI::Encode(const uint8_t* data, size_t size)
{
    std::vector<uint8_t> out;
    uint32_t length = uint32_t(size);
    for (int b = 0; b < 4; b++)
        out.push_back(uint8_t(length >> (8 * b)));
    if (size == 0)
        return out;

    out_ = &out;
    put_buffer_ = 0;
    put_mask_ = 128;
    low_ = 0;
    high_ = Q4;
    shifts_ = 0;
    StartModel();
    InitTree();

    size_t next = 0;  // next input byte
    int s = 0;
    int r = N - F;
    for (int i = s; i < r; i++)
        text_buf_[i] = ' ';
    int len = 0;
    for (; len < F && next < size; len++)
        text_buf_[r + len] = data[next++];
    for (int i = 1; i <= F; i++)
        InsertNode(r - i);
    InsertNode(r);
    do {
        if (match_length_ > len)
            match_length_ = len;
        if (match_length_ <= THRESHOLD) {
            match_length_ = 1;
            EncodeChar(text_buf_[r]);
        } else {
            EncodeChar(255 - THRESHOLD + match_length_);
            EncodePosition(match_position_ - 1);
        }
        int last_match_length = match_length_;
        int i = 0;
        for (; i < last_match_length && next < size; i++) {
            uint8_t c = data[next++];
            DeleteNode(s);
            text_buf_[s] = c;
            if (s < F - 1)
                text_buf_[s + N] = c;  // mirror so that matches can read past the ring's end
            s = (s + 1) & (N - 1);
            r = (r + 1) & (N - 1);
            InsertNode(r);
        }
        while (i++ < last_match_length) {
            DeleteNode(s);
            s = (s + 1) & (N - 1);
            r = (r + 1) & (N - 1);
            if (--len)
                InsertNode(r);
        }
    } while (len > 0);
    EncodeEnd();
    out_ = nullptr;
    return out;
}

// ---------------------------------------------------------------------------------------------
// Decoder

int LZARI::GetBit()
{
    if ((get_mask_ >>= 1) == 0) {
        if (in_pos_ < in_size_) {
            get_buffer_ = in_[in_pos_++];
        } else {
            // Past the end: zero bits. A valid stream does not depend on them.
            get_buffer_ = 0;
            missing_bytes_++;
        }
        get_mask_ = 128;
    }
    return (get_buffer_ & get_mask_) != 0;
}

void LZARI::StartDecode()
{
    value_ = 0;
    for (uint32_t i = 0; i < M + 2; i++)
        value_ = 2 * value_ + uint32_t(GetBit());
}

void LZARI::NarrowDecoder()
{
    for (;;) {
        if (low_ >= Q2) {
            value_ -= Q2;
            low_ -= Q2;
            high_ -= Q2;
        } else if (low_ >= Q1 && high_ <= Q3) {
            value_ -= Q1;
            low_ -= Q1;
            high_ -= Q1;
        } else if (high_ > Q2) {
            break;
        }
        low_ += low_;
        high_ += high_;
        value_ = 2 * value_ + uint32_t(GetBit());
    }
}

int LZARI::DecodeChar()
{
    uint32_t range = high_ - low_;
    // Widened: a damaged stream can leave value_ outside [low_, high_); the search clamps the result.
    uint64_t scaled = ((uint64_t(value_ - low_) + 1) * sym_cum_[0] - 1) / range;
    int sym = BinarySearchSym(uint32_t(std::min<uint64_t>(scaled, UINT32_MAX)));
    high_ = low_ + (range * sym_cum_[sym - 1]) / sym_cum_[0];
    low_ += (range * sym_cum_[sym]) / sym_cum_[0];
    NarrowDecoder();
    int ch = sym_to_char_[sym];
    UpdateModel(sym);
    return ch;
}

int LZARI::DecodePosition()
{
    uint32_t range = high_ - low_;
    uint64_t scaled = ((uint64_t(value_ - low_) + 1) * position_cum_[0] - 1) / range;
    int position = BinarySearchPos(uint32_t(std::min<uint64_t>(scaled, UINT32_MAX)));
    high_ = low_ + (range * position_cum_[position]) / position_cum_[0];
    low_ += (range * position_cum_[position + 1]) / position_cum_[0];
    NarrowDecoder();
    return position;
}

size_t LZARI::Decode(const uint8_t* in, size_t inSize, uint8_t* out, size_t outCap)
{
    uint32_t declared = 0;
    if (!DeclaredLength(in, inSize, &declared) || out == nullptr)
        return 0;
    size_t limit = std::min<size_t>(declared, outCap);
    if (limit == 0)
        return 0;

    in_ = in + 4;
    in_size_ = inSize - 4;
    in_pos_ = 0;
    get_buffer_ = 0;
    get_mask_ = 0;
    missing_bytes_ = 0;
    low_ = 0;
    high_ = Q4;
    StartDecode();
    StartModel();
    for (int i = 0; i < N - F; i++)
        text_buf_[i] = ' ';
    int r = N - F;
    size_t count = 0;
    while (count < limit && missing_bytes_ <= kMaxMissingBytes) {
        int c = DecodeChar();
        if (c < 256) {
            out[count++] = uint8_t(c);
            text_buf_[r++] = uint8_t(c);
            r &= (N - 1);
        } else {
            int i = (r - DecodePosition() - 1) & (N - 1);
            int j = c - 255 + THRESHOLD;
            // The last match of a valid stream may reach past the declared length.
            for (int k = 0; k < j && count < limit; k++) {
                uint8_t b = text_buf_[(i + k) & (N - 1)];
                out[count++] = b;
                text_buf_[r++] = b;
                r &= (N - 1);
            }
        }
    }
    in_ = nullptr;
    return count;
}
