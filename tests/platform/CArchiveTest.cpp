// The archive's byte layout: primitives, string prefixes and forms, class records and
// references with their 32-bit escape, and the refusal of damaged or hostile streams.
#include "CArchive.h"

#include <functional>
#include <gtest/gtest.h>

namespace
{
using Bytes = std::vector<unsigned char>;

class CTestLeaf : public CObject
{
    DECLARE_SERIAL(CTestLeaf)
public:
    int32_t m_value = 0;
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            ar << m_value;
        else
            ar >> m_value;
    }
};

class CTestNode : public CObject
{
    DECLARE_SERIAL(CTestNode)
public:
    std::string m_name;
    std::unique_ptr<CTestLeaf> m_leaf;
    std::unique_ptr<CTestNode> m_child;
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring()) {
            ar << m_name;
            ar.WriteObject(m_leaf.get());
            ar.WriteObject(m_child.get());
        } else {
            ar >> m_name;
            m_leaf.reset(ReadObjectOf<CTestLeaf>(ar));
            m_child.reset(ReadObjectOf<CTestNode>(ar));
        }
    }
};

class CTestOther : public CObject
{
    DECLARE_SERIAL(CTestOther)
};

IMPLEMENT_SERIAL(CTestLeaf, CObject, 0)
IMPLEMENT_SERIAL(CTestNode, CObject, 0)
IMPLEMENT_SERIAL(CTestOther, CObject, 0)

class CArchiveTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        AfxRegisterClass(RUNTIME_CLASS(CTestLeaf));
        AfxRegisterClass(RUNTIME_CLASS(CTestNode));
        AfxRegisterClass(RUNTIME_CLASS(CTestOther));
    }

    static Bytes Store(const std::function<void(CArchive&)>& write)
    {
        Bytes out;
        CArchive ar(out);
        write(ar);
        return out;
    }
    static std::string StoreAndLoadString(const std::string& text, Bytes* bytes = nullptr)
    {
        const Bytes out = Store([&](CArchive& ar) { ar << text; });
        if (bytes)
            *bytes = out;
        CArchive in(out.data(), out.size());
        std::string back;
        in >> back;
        EXPECT_EQ(in.BytesLeft(), 0u);
        return back;
    }
    static std::unique_ptr<CObject> Load(const Bytes& bytes, const CRuntimeClass* expected)
    {
        CArchive ar(bytes.data(), bytes.size());
        return std::unique_ptr<CObject>(ar.ReadObject(expected));
    }
    static Bytes Prefix(const Bytes& bytes, size_t count) { return Bytes(bytes.begin(), bytes.begin() + count); }
};

Bytes Concat(std::initializer_list<Bytes> parts)
{
    Bytes all;
    for (const Bytes& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

Bytes Text(const std::string& text)
{
    return Bytes(text.begin(), text.end());
}

const Bytes kLeafRecord = Concat({{0xFF, 0xFF, 0x00, 0x00, 0x09, 0x00}, Text("CTestLeaf")});
} // namespace

TEST_F(CArchiveTest, PrimitivesAreLittleEndian)
{
    const Bytes out =
        Store([](CArchive& ar) { ar << int32_t{-2} << uint32_t{0x01020304} << uint16_t{0xABCD} << uint8_t{7} << 1.0; });
    EXPECT_EQ(out, (Bytes{0xFE, 0xFF, 0xFF, 0xFF, 4, 3, 2, 1, 0xCD, 0xAB, 7, 0, 0, 0, 0, 0, 0, 0xF0, 0x3F}));
    CArchive in(out.data(), out.size());
    int32_t i = 0;
    uint32_t u = 0;
    uint16_t w = 0;
    uint8_t b = 0;
    double d = 0;
    in >> i >> u >> w >> b >> d;
    EXPECT_EQ(i, -2);
    EXPECT_EQ(u, 0x01020304u);
    EXPECT_EQ(w, 0xABCD);
    EXPECT_EQ(b, 7);
    EXPECT_EQ(d, 1.0);
    EXPECT_THROW(in >> b, CArchiveException);
}

TEST_F(CArchiveTest, StringLengthPrefixes)
{
    const struct
    {
        size_t length;
        Bytes prefix;
    } cases[] = {
        {0, {0x00}},
        {254, {0xFE}},
        {255, {0xFF, 0xFF, 0x00}},
        {65534 - 1, {0xFF, 0xFD, 0xFF}},
        {0xFFFE, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
        {65535, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}},
        {0x10000, {0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x01, 0x00}},
        {70000, {0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}},
    };
    for (const auto& c : cases) {
        const std::string text(c.length, 'x');
        Bytes bytes;
        EXPECT_EQ(StoreAndLoadString(text, &bytes), text) << c.length;
        EXPECT_EQ(Prefix(bytes, c.prefix.size()), c.prefix) << c.length;
        EXPECT_EQ(bytes.size(), c.prefix.size() + c.length) << c.length;
    }
}

TEST_F(CArchiveTest, StringsOutsideTheCodePageUseThe16BitForm)
{
    Bytes bytes;
    EXPECT_EQ(StoreAndLoadString("\xCE\xA9", &bytes), "\xCE\xA9");
    EXPECT_EQ(bytes, (Bytes{0xFF, 0xFE, 0xFF, 0x01, 0xA9, 0x03}));

    EXPECT_EQ(StoreAndLoadString("caf\xC3\xA9", &bytes), "caf\xC3\xA9"); // fits: 8-bit form
    EXPECT_EQ(bytes, (Bytes{4, 'c', 'a', 'f', 0xE9}));

    const std::string emoji = "\xF0\x9F\x98\x80";
    EXPECT_EQ(StoreAndLoadString(emoji, &bytes), emoji);
    EXPECT_EQ(bytes, (Bytes{0xFF, 0xFE, 0xFF, 0x02, 0x3D, 0xD8, 0x00, 0xDE}));

    std::string longWide;
    for (int i = 0; i < 300; ++i)
        longWide += "\xCE\xA9";
    EXPECT_EQ(StoreAndLoadString(longWide, &bytes), longWide);
    EXPECT_EQ(Prefix(bytes, 6), (Bytes{0xFF, 0xFE, 0xFF, 0xFF, 0x2C, 0x01}));
}

TEST_F(CArchiveTest, UnassignedCodePageBytesRoundTrip)
{
    const Bytes stored{5, 0x81, 0x8D, 0x8F, 0x90, 0x9D};
    CArchive in(stored.data(), stored.size());
    std::string text;
    in >> text;
    EXPECT_EQ(text, "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D");
    EXPECT_EQ(Store([&](CArchive& ar) { ar << text; }), stored);
}

TEST_F(CArchiveTest, RefusesBadStringLengths)
{
    const Bytes streams[] = {
        {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 0, 0}, // 64-bit length follows
        {0x05, 'a', 'b'},                                                   // fewer bytes than stated
        {0xFF, 0xFF, 0xFF, 0xF0, 0xFF, 0xFF, 0x7F},                         // 2 GB announced
        {0xFF, 0xFE, 0xFF, 0x02, 0xA9, 0x03},                               // 16-bit form, one unit short
    };
    for (const Bytes& bytes : streams) {
        CArchive in(bytes.data(), bytes.size());
        std::string text;
        EXPECT_THROW(in >> text, CArchiveException) << bytes.size();
    }
}

TEST_F(CArchiveTest, ClassRecordThenClassReference)
{
    CTestLeaf first, second;
    first.m_value = 1;
    second.m_value = 2;
    CTestOther other, other2;
    const Bytes bytes = Store([&](CArchive& ar) {
        ar.WriteObject(&first);
        ar.WriteObject(nullptr);
        ar.WriteObject(&second);
        ar.WriteObject(&other);
        ar.WriteObject(&other2);
    });
    // Class 1 + object 2, null, object 3, class 4 + object 5, object 6 of class 4.
    const Bytes expected = Concat({kLeafRecord,
                                   {1, 0, 0, 0},
                                   {0, 0},
                                   {0x01, 0x80, 2, 0, 0, 0},
                                   {0xFF, 0xFF, 0, 0, 0x0A, 0},
                                   Text("CTestOther"),
                                   {0x04, 0x80}});
    EXPECT_EQ(bytes, expected);

    CArchive in(bytes.data(), bytes.size());
    std::unique_ptr<CObject> a(in.ReadObject(RUNTIME_CLASS(CObject)));
    std::unique_ptr<CObject> null(in.ReadObject(RUNTIME_CLASS(CTestLeaf)));
    std::unique_ptr<CTestLeaf> b(ReadObjectOf<CTestLeaf>(in));
    std::unique_ptr<CTestOther> c(ReadObjectOf<CTestOther>(in));
    std::unique_ptr<CTestOther> d(ReadObjectOf<CTestOther>(in));
    ASSERT_TRUE(a && a->IsKindOf(RUNTIME_CLASS(CTestLeaf)));
    EXPECT_EQ(static_cast<CTestLeaf*>(a.get())->m_value, 1);
    EXPECT_FALSE(null);
    ASSERT_TRUE(b && c && d);
    EXPECT_EQ(b->m_value, 2);
    EXPECT_EQ(in.BytesLeft(), 0u);
}

TEST_F(CArchiveTest, ClassNumbersFrom0x7FFFUseThe32BitEscape)
{
    // 0x7FFC leaves (class 1, objects 2..0x7FFD) give the second class the number 0x7FFE, the
    // last short reference; one leaf more gives it 0x7FFF, which needs the escape.
    for (const uint32_t leaves : {0x7FFCu, 0x7FFDu}) {
        std::vector<CTestLeaf> many(leaves);
        CTestOther other, other2;
        const Bytes bytes = Store([&](CArchive& ar) {
            for (const CTestLeaf& leaf : many)
                ar.WriteObject(&leaf);
            ar.WriteObject(&other);
            ar.WriteObject(&other2);
        });
        const uint32_t otherClass = leaves + 2;
        const Bytes tail(bytes.end() - (otherClass < 0x7FFF ? 2 : 6), bytes.end());
        if (otherClass < 0x7FFF)
            EXPECT_EQ(tail, (Bytes{0xFE, 0xFF}));
        else
            EXPECT_EQ(tail, (Bytes{0xFF, 0x7F, 0xFF, 0x7F, 0x00, 0x80}));

        CArchive in(bytes.data(), bytes.size());
        for (uint32_t i = 0; i < leaves; ++i)
            std::unique_ptr<CTestLeaf>(ReadObjectOf<CTestLeaf>(in));
        std::unique_ptr<CTestOther> a(ReadObjectOf<CTestOther>(in));
        std::unique_ptr<CTestOther> b(ReadObjectOf<CTestOther>(in));
        EXPECT_TRUE(a && b);
        EXPECT_EQ(in.BytesLeft(), 0u);
    }
}

TEST_F(CArchiveTest, RefusesDamagedObjectReferences)
{
    const Bytes otherRecord = Concat({{0xFF, 0xFF, 0, 0, 0x0A, 0}, Text("CTestOther")});
    const struct
    {
        const char* what;
        Bytes bytes;
    } cases[] = {
        {"unknown class", Concat({{0xFF, 0xFF, 0, 0, 0x09, 0}, Text("CTestLeaX"), {1, 0, 0, 0}})},
        {"schema 1", Concat({{0xFF, 0xFF, 1, 0, 0x09, 0}, Text("CTestLeaf"), {1, 0, 0, 0}})},
        {"name of 64 bytes", Concat({{0xFF, 0xFF, 0, 0, 64, 0}, Bytes(64, 'A')})},
        {"wrong class", Concat({otherRecord})},
        {"class reference 0", {0x00, 0x80}},
        {"class reference 0 escaped", {0xFF, 0x7F, 0, 0, 0, 0x80}},
        {"class number not taken", Concat({kLeafRecord, {1, 0, 0, 0}, {0x05, 0x80}})},
        {"object number as class", Concat({kLeafRecord, {1, 0, 0, 0}, {0x02, 0x80}})},
        {"object back reference", Concat({kLeafRecord, {1, 0, 0, 0}, {0x02, 0x00}})},
        {"escaped object back reference", Concat({kLeafRecord, {1, 0, 0, 0}, {0xFF, 0x7F, 2, 0, 0, 0}})},
        {"escaped object as class", Concat({kLeafRecord, {1, 0, 0, 0}, {0xFF, 0x7F, 2, 0, 0, 0x80}})},
        {"abstract class", Concat({{0xFF, 0xFF, 0, 0, 0x07, 0}, Text("CObject")})},
    };
    AfxRegisterClass(RUNTIME_CLASS(CObject)); // registered by name, yet not creatable
    for (const auto& c : cases) {
        CArchive in(c.bytes.data(), c.bytes.size());
        EXPECT_THROW(
            {
                std::unique_ptr<CTestLeaf> first(ReadObjectOf<CTestLeaf>(in));
                std::unique_ptr<CTestLeaf> second(ReadObjectOf<CTestLeaf>(in));
            },
            CArchiveException)
            << c.what;
    }
    EXPECT_THROW(Load(Concat({kLeafRecord, {1, 0, 0, 0}}), RUNTIME_CLASS(CTestNode)), CArchiveException);
}

TEST_F(CArchiveTest, RefusesNestingBeyondTheBound)
{
    const auto chain = [](int depth) {
        auto head = std::make_unique<CTestNode>();
        CTestNode* node = head.get();
        for (int i = 1; i < depth; ++i) {
            node->m_child = std::make_unique<CTestNode>();
            node = node->m_child.get();
        }
        return head;
    };
    for (const int depth : {CArchive::kMaxDepth, CArchive::kMaxDepth + 1}) {
        const auto head = chain(depth);
        const Bytes bytes = Store([&](CArchive& ar) { ar.WriteObject(head.get()); });
        if (depth <= CArchive::kMaxDepth)
            EXPECT_TRUE(Load(bytes, RUNTIME_CLASS(CTestNode)));
        else
            EXPECT_THROW(Load(bytes, RUNTIME_CLASS(CTestNode)), CArchiveException);
    }
}

TEST_F(CArchiveTest, EveryTruncationFailsCleanly)
{
    CTestNode root;
    root.m_name = "r\xCE\xA9ot";
    root.m_leaf = std::make_unique<CTestLeaf>();
    root.m_child = std::make_unique<CTestNode>();
    root.m_child->m_name = std::string(300, 'n');
    root.m_child->m_leaf = std::make_unique<CTestLeaf>();
    const Bytes bytes = Store([&](CArchive& ar) { ar.WriteObject(&root); });
    for (size_t length = 0; length < bytes.size(); ++length)
        EXPECT_THROW(Load(Prefix(bytes, length), RUNTIME_CLASS(CTestNode)), CArchiveException) << length;
    const auto whole = Load(bytes, RUNTIME_CLASS(CTestNode));
    ASSERT_TRUE(whole);
    EXPECT_EQ(static_cast<CTestNode&>(*whole).m_child->m_name, root.m_child->m_name);
}

TEST_F(CArchiveTest, HeadersLetCallersWalkChainsWithoutRecursion)
{
    std::vector<CTestLeaf> chain(5);
    for (size_t i = 0; i < chain.size(); ++i)
        chain[i].m_value = static_cast<int32_t>(i);
    const Bytes bytes = Store([&](CArchive& ar) {
        for (CTestLeaf& leaf : chain) {
            ar.WriteObjectHeader(&leaf);
            leaf.Serialize(ar);
        }
        ar.WriteObjectHeader(nullptr);
    });
    EXPECT_EQ(bytes, Store([&](CArchive& ar) {
                  for (const CTestLeaf& leaf : chain)
                      ar.WriteObject(&leaf);
                  ar.WriteObject(nullptr);
              }));

    CArchive in(bytes.data(), bytes.size());
    std::vector<std::unique_ptr<CObject>> read;
    bool isNull = false;
    while (const CRuntimeClass* runtimeClass = in.ReadObjectHeader(RUNTIME_CLASS(CTestLeaf), isNull)) {
        read.emplace_back(runtimeClass->CreateObject());
        read.back()->Serialize(in);
    }
    EXPECT_TRUE(isNull);
    ASSERT_EQ(read.size(), chain.size());
    EXPECT_EQ(static_cast<CTestLeaf&>(*read.back()).m_value, 4);
}

TEST_F(CArchiveTest, RefusesToStoreAnObjectTwiceOrToMixDirections)
{
    CTestLeaf leaf;
    Bytes out;
    CArchive ar(out);
    ar.WriteObject(&leaf);
    EXPECT_THROW(ar.WriteObject(&leaf), CArchiveException);
    int32_t value = 0;
    EXPECT_THROW(ar >> value, CArchiveException);
    CArchive in(out.data(), out.size());
    EXPECT_THROW(in << value, CArchiveException);

    // A draining archive hands on the same bytes in pieces, and still knows every object stored.
    std::vector<CTestLeaf> many(1000);
    Bytes whole;
    CArchive direct(whole);
    Bytes drained;
    size_t pieces = 0;
    CArchive draining([&](const unsigned char* data, size_t size) {
        drained.insert(drained.end(), data, data + size);
        ++pieces;
    });
    for (const CTestLeaf& one : many) {
        direct.WriteObject(&one);
        draining.WriteObject(&one);
    }
    EXPECT_THROW(draining.WriteObject(&many[617]), CArchiveException);
    draining.Flush();
    EXPECT_EQ(drained, whole);
    EXPECT_EQ(pieces, 1u);
}
