// For tests that change the process-wide language state: the built-in table is loaded before each test,
// and the current language and the file mode are as they were after it.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <vector>

#include "lang/LanguageTable.h"

class LangStateTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TheLanguageTable().fileMode = 0;
#ifdef _WIN32
        ASSERT_TRUE(LoadLanguageTable());
#else  // natively the table comes from the file the build makes
        std::ifstream in(QB_LANG_TABLE_LZ, std::ios::binary);
        const std::vector<uint8_t> s(std::istreambuf_iterator<char>(in), {});
        ASSERT_TRUE(!s.empty() && LoadLanguageTableFromStream(s.data(), s.size()));
#endif
    }
    void TearDown() override
    {
        TheLanguageTable().fileMode = 0;
        g_lang_index = m_savedLang;
    }

private:
    int m_savedLang = g_lang_index;
};
