// libFuzzer target: rewriting a configuration file of any bytes.
#include "app/IniFile.h"
#include "tests/fuzz/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput in(data, size);
    const uint8_t op = in.Take<uint8_t>();
    const std::string file = in.RestAsBytes();
    static const wchar_t* sections[] = {L"Program", L" program ", L"", L"[x]", L"000_Notice_set"};
    static const wchar_t* values[] = {L"eeee", L"", L" a b ", L"\x03A9", L"x\r\ny=z"};
    std::vector<ini::Change> changes(2);
    changes[0].section = sections[op % 5];
    changes[0].key = L"TestIni";
    changes[0].value = values[op / 5 % 5];
    changes[1].kind = op & 0x80 ? ini::Change::RemoveSection : ini::Change::SetValue;
    changes[1].section = sections[(op / 25) % 5];
    changes[1].key = L"lng";
    changes[1].value = L"1";
    std::string out;
    if (ini::Rewrite(file, changes, ini::PortableCodec(), &out)) {
        // Whatever came in, what goes out reads back.
        ini::Encoding encoding;
        ini::Document::Parse(ini::Decode(out, &encoding, ini::PortableCodec()));
    }
    return 0;
}
