// The archive source over archives the tests make: every format, damaged ones, and the refusals.
#include "RARLoad/ArchiveWriters.h"
#include "RARLoad/SourceTestKit.h"
#include "support/TestFiles.h"
#include "support/Text1250.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace vexo::literals;
using testarchive::Item;
using testkit::DrainPath;
using testkit::Listing;
using tundrel_test::MessageOf;

namespace {

const std::string kPolish = "Łódź/żółw.txt"; // UTF-8 in the source, as archives store it

// The same game data as items ('/' separators) and as the listing every source must deliver.
std::vector<Item> Content() {
    return {{"Sprites", "", true},
            {"Sprites/unit.png", std::string("\x89PNG\r\n\x1a\n\0\1\2", 11)},
            {"Sprites/Empty", "", true},
            {"Sprites.xml", "<Sprites><Sprite file=\"Sprites\\unit.png\"/></Sprites>"},
            {"empty.txt", ""},
            {"Łódź", "", true},
            {kPolish, std::string(70000, 'z')}};
}

Listing Expected() {
    Listing listing;
    for (const Item& item : Content()) {
        if (item.directory) continue;
        std::string name = vexo::Utf8ToCp1250(item.name);
        for (char& c : name)
            if (c == '/') c = '\\';
        listing.emplace_back(name, item.data);
    }
    return listing;
}

std::string Make(const std::string& format, const std::vector<Item>& items) {
    if (format == "rar4") return testarchive::Rar4(testarchive::WithBackslashes(items));
    if (format == "rar5") return testarchive::Rar5(items);
    return testarchive::WithLibarchive(format, items);
}

class ArchiveFormat : public ::testing::TestWithParam<std::string> {
protected:
    testkit::ScratchFolder scratch;
    std::string path = scratch / "GameData";
};

TEST_P(ArchiveFormat, DeliversFilesOnlyWithBackslashNamesAndExactContent) {
    testarchive::WriteFile(path, Make(GetParam(), Content()));
    const Listing first = DrainPath(path);
    EXPECT_EQ(DrainPath(path), first) << "a second pass differs";
    // The archive's own order is kept; 7z puts empty files last, so compare without order.
    Listing sorted = first, expected = Expected();
    std::sort(sorted.begin(), sorted.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(sorted, expected);
}

TEST_P(ArchiveFormat, EveryCutEndsInAnErrorOrAShorterListing) {
    const std::string whole = Make(GetParam(), Content());
    for (std::size_t cut = 0; cut < whole.size(); cut += cut < 200 ? 1 : 997) {
        testarchive::WriteFile(path, whole.substr(0, cut));
        Listing delivered;
        const std::string message = MessageOf([&] { delivered = DrainPath(path); });
        if (!message.empty()) continue;
        // Without an error every delivered entry must be a complete, correct one.
        const Listing expected = Expected();
        ASSERT_LE(delivered.size(), expected.size()) << "cut at " << cut;
        for (std::size_t i = 0; i < delivered.size(); ++i)
            EXPECT_EQ(delivered[i], expected[i]) << "cut at " << cut;
    }
}

INSTANTIATE_TEST_SUITE_P(Formats, ArchiveFormat, ::testing::Values("rar4", "rar5", "zip", "7zip", "ustar"));

class ArchiveSource : public ::testing::Test {
protected:
    testkit::ScratchFolder scratch;
    std::string path = scratch / "GameData";

    std::string Open(const std::string& bytes) {
        testarchive::WriteFile(path, bytes);
        return MessageOf([&] { DrainPath(path); });
    }
    std::string CannotOpen(std::string_view reason) {
        return std::string("Nie można otworzyć \""_pl) + path + "\"." + std::string(reason);
    }
};

TEST_F(ArchiveSource, GarbageAndNonFilesCannotBeOpened) {
    EXPECT_EQ(Open(std::string(3000, 'g')), CannotOpen(" Plik nie jest poprawnym archiwum RAR."_pl));
    EXPECT_EQ(Open(""), CannotOpen(" Plik nie jest poprawnym archiwum RAR."_pl));
    ASSERT_EQ(::unlink(path.c_str()), 0);
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    EXPECT_EQ(MessageOf([&] { delete OpenGameData(path); }), CannotOpen(""));
}

TEST_F(ArchiveSource, DamagedRar4) {
    const std::vector<Item> items = {{"a.txt", "first file"}, {"b.txt", "second file"}};
    const std::string good = testarchive::Rar4(items);
    const std::size_t firstHeader = 7 + 13, firstData = firstHeader + 32 + 5;
    const std::size_t secondHeader = firstData + items[0].data.size();
    ASSERT_EQ(good.substr(firstData, 10), "first file");

    std::string flipped = good;
    flipped[firstData + 3] ^= 0x20;
    EXPECT_EQ(Open(flipped), "Błąd CRC."_pl);

    flipped = good;
    flipped[firstHeader + 8] ^= 1; // inside the first file header, under its CRC
    EXPECT_EQ(Open(flipped), CannotOpen(" Nagłówek pliku jest uszkodzony."_pl));

    flipped = good;
    flipped[secondHeader + 8] ^= 1;
    EXPECT_EQ(Open(flipped), "Nagłówek pliku RAR jest uszkodzony."_pl);

    EXPECT_EQ(Open(good.substr(0, firstData + 4)), "Błąd odczytu."_pl);
}

// A ZIP that declares its names UTF-8 and holds one that is not: the header is sound, the name is
// the fault, and the archive is no RAR.
TEST_F(ArchiveSource, ZipNameThatIsNotUtf8IsNamedAsSuch) {
    for (const bool first : {false, true}) {
        std::vector<Item> items = {{"a.txt", "a"}, {"bad-name", "b"}};
        if (first) std::swap(items[0], items[1]);
        const std::string zip = testarchive::ZipWithNameNotUtf8(items, "bad-name");
        const std::string message(" Nazwa pliku w archiwum ZIP nie jest poprawnym tekstem UTF-8."_pl);
        EXPECT_EQ(Open(zip), first ? CannotOpen(message) : message.substr(1));
    }
}

TEST_F(ArchiveSource, ADataChecksumFailureInEveryFormatIsACrcError) {
    const std::vector<Item> items = {{"a.txt", std::string(300, 'q')}};
    for (const std::string format : {"rar4", "rar5", "zip", "7zip"}) {
        std::string bytes = format == "zip" || format == "7zip"
                                ? testarchive::WithLibarchive(format, items, "compression=store")
                                : Make(format, items);
        const std::size_t at = bytes.find(std::string(300, 'q'));
        ASSERT_NE(at, std::string::npos) << format;
        bytes[at + 150] = 'Q';
        EXPECT_EQ(Open(bytes), "Błąd CRC."_pl) << format;
    }
}

// A RAR 4 file header whose unpacked size differs from the stored data.
std::string Rar4WithSizes(std::uint32_t packed, std::uint32_t unpacked, std::uint16_t extraFlags = 0) {
    std::string bytes = testarchive::Rar4({{"a.txt", std::string(packed, 'p')}});
    const std::size_t header = 7 + 13;
    for (int i = 0; i < 4; ++i)
        bytes[header + 11 + i] = char((unpacked >> (8 * i)) & 0xFF);
    bytes[header + 3] = char(bytes[header + 3] | (extraFlags & 0xFF));
    bytes[header + 4] = char(bytes[header + 4] | (extraFlags >> 8));
    const std::uint32_t crc = testarchive::Crc32(bytes.substr(header + 2, 32 + 5 - 2));
    bytes[header] = char(crc & 0xFF);
    bytes[header + 1] = char((crc >> 8) & 0xFF);
    return bytes;
}

TEST_F(ArchiveSource, DeliversExactlyTheAnnouncedSizeOrFails) {
    // More data than announced is cut by libarchive and caught by the CRC; less is a short read.
    EXPECT_EQ(Open(Rar4WithSizes(8, 5)), "Błąd CRC."_pl);
    EXPECT_EQ(Open(Rar4WithSizes(5, 8)), "Błąd odczytu."_pl);

    // An entry too large to read is passed over by Next and Skip, and refused when it is read.
    testarchive::WriteFile(path, Rar4WithSizes(8, 600u << 20));
    std::unique_ptr<CRARLoader> source(OpenGameData(path));
    std::string name, text;
    std::uint32_t size = 0;
    ASSERT_TRUE(source->Next(name, size));
    EXPECT_EQ(size, 600u << 20);
    source->Skip();
    EXPECT_FALSE(source->Next(name, size));
    source.reset(OpenGameData(path));
    source->Next(name, size);
    EXPECT_EQ(MessageOf([&] { source->ReadToString(text); }),
              std::string("Plik \"a.txt\" jest za duży (629145600 bajtów)."_pl));
    EXPECT_EQ(MessageOf([&] { source->Next(name, size); }), "Błąd odczytu."_pl)
        << "a failed source must stay failed";
}

TEST_F(ArchiveSource, EncryptedEntriesAreRefusedButCanBeSkipped) {
    std::string bytes = Rar4WithSizes(8, 8, 0x0004);
    testarchive::WriteFile(path, bytes);
    std::unique_ptr<CRARLoader> source(OpenGameData(path));
    std::string name, text;
    std::uint32_t size = 0;
    ASSERT_TRUE(source->Next(name, size));
    EXPECT_EQ(MessageOf([&] { source->ReadToString(text); }),
              std::string("Plik \"a.txt\" jest zaszyfrowany."_pl));

    source.reset(OpenGameData(path));
    ASSERT_TRUE(source->Next(name, size));
    source->Skip();
    EXPECT_FALSE(source->Next(name, size));

    // An archive whose headers are encrypted too cannot even be listed.
    bytes = testarchive::Rar4({{"a.txt", "secret"}});
    bytes[7 + 3] = char(0x80);
    const std::uint32_t crc = testarchive::Crc32(bytes.substr(7 + 2, 11));
    bytes[7] = char(crc & 0xFF);
    bytes[8] = char((crc >> 8) & 0xFF);
    EXPECT_EQ(Open(bytes), CannotOpen(" Archiwum jest zaszyfrowane."_pl));
}

TEST_F(ArchiveSource, FollowsTheProtocol) {
    testarchive::WriteFile(path,
                           testarchive::Rar4({{"1", "one"}, {"dir", "", true}, {"2", ""}, {"3", "three"}}));
    std::unique_ptr<CRARLoader> source(OpenGameData(path));
    std::string name, text = "old";
    std::uint32_t size = 0;
    char buffer[8];
    EXPECT_EQ(MessageOf([&] { source->Read(buffer); }), "Błąd odczytu."_pl) << "Read before Next";

    source.reset(OpenGameData(path));
    ASSERT_TRUE(source->Next(name, size));
    ASSERT_TRUE(source->Next(name, size));
    EXPECT_EQ(name, "1");
    source->Skip();
    ASSERT_TRUE(source->Next(name, size));
    EXPECT_EQ(name + std::to_string(size), "20");
    source->ReadToString(text);
    EXPECT_EQ(text, "");
    ASSERT_TRUE(source->Next(name, size));
    source->Read(buffer);
    EXPECT_EQ(std::string(buffer, size), "three");
    EXPECT_FALSE(source->Next(name, size));
    EXPECT_FALSE(source->Next(name, size));
}

TEST_F(ArchiveSource, AnEntryWhoseHeaderHasNoSizeIsMeasuredBeforeItIsAnnounced) {
    testarchive::WriteFile(
        path, testarchive::StreamedZip({{"a", "alpha"}, {"e", ""}, {"b", std::string(70000, 'b')}}));
    EXPECT_EQ(DrainPath(path), (Listing{{"a", "alpha"}, {"e", ""}, {"b", std::string(70000, 'b')}}));
    std::unique_ptr<CRARLoader> source(OpenGameData(path));
    std::string name;
    std::uint32_t size = 0;
    ASSERT_TRUE(source->Next(name, size));
    source->Skip();
    ASSERT_TRUE(source->Next(name, size));
    EXPECT_EQ(name + std::to_string(size), "e0");
    source->Read(nullptr);
    ASSERT_TRUE(source->Next(name, size));
    EXPECT_EQ(name, "b");
}

TEST_F(ArchiveSource, FailuresAreLoggedWithTheSourceName) {
    const tundrel_test::CapturedErrorLog log;
    Open("not an archive at all");
    const std::string text = log.Contents();
    EXPECT_NE(text.find("RARLoad\\RARLoad"), std::string::npos);
    EXPECT_NE(text.find(CannotOpen(" Plik nie jest poprawnym archiwum RAR."_pl)), std::string::npos);
}

} // namespace
