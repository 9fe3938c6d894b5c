// Fuzzes the vocabulary (INI profile) reader: any bytes parse, lookups of the sections and keys
// the file names find what it holds, and the program's lookups built on it (numbers, binary
// entries, the type tree and its labels) stay within their documented results.
#include "CCalcType.h"
#include "FuzzSupport.h"
#include "Profile.h"
#include "Vocabulary.h"

#include <algorithm>
#include <string_view>

namespace
{
/// Up to `limit` leaves of the type tree the profile describes, depth first.
void CollectLeaves(const CCalcType& code, std::vector<CCalcType>& leaves, size_t limit)
{
    const int count = ChildCount(code);
    if (count < 0 || count > 9)
        FuzzFail("vocabulary", "a child count outside 0..9");
    if (count == 0) {
        leaves.push_back(code);
        return;
    }
    for (int i = 1; i <= count && leaves.size() < limit; ++i) {
        CCalcType child = code;
        child.SetType(i, code.GetLevel() + 1);
        CollectLeaves(child, leaves, limit);
    }
}

/// The section and key named by a line "[section]" or "key=value" seen so far.
void LookUpLines(const CProfile& profile, std::string_view bytes)
{
    std::string section;
    for (const std::string& line : SplitLines(bytes, 64)) {
        const size_t open = line.find('[');
        const size_t close = line.find(']');
        if (open != std::string::npos && close != std::string::npos && open < close) {
            section = line.substr(open + 1, close - open - 1);
            continue;
        }
        const size_t equals = line.find('=');
        if (equals == std::string::npos)
            continue;
        const std::string key = line.substr(0, equals);
        (void)profile.Find(section, key);
        (void)GetProfileString(section, key, "default");
        const int number = GetProfileInt(section, key, 7);
        (void)number;
        const std::vector<unsigned char> binary = GetProfileBinary(section, key);
        if (!binary.empty() && DecodeProfileBinary(EncodeProfileBinary(binary)) != binary)
            FuzzFail("vocabulary", "a binary entry does not encode back to its bytes");
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    InitFuzzEnvironment();
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    CProfile profile;
    profile.Parse(bytes);
    SetVocabularyProfiles({profile});
    LookUpLines(profile, bytes);
    std::vector<CCalcType> leaves;
    CollectLeaves(CCalcType(), leaves, 64);
    for (const CCalcType& leaf : leaves) {
        const std::string code = leaf.GetTypeString();
        (void)TypeTitle(code);
        (void)FolderLabel(code);
        CCalcType numbered;
        numbered.SetTypeInt(leaf.GetTypeInt());
        if (leaves.size() < 64 && !(numbered == leaf))
            FuzzFail("vocabulary", "leaf " + code + " does not come back from its number");
    }
    (void)MenuText("FILE_NEW");
    return 0;
}
