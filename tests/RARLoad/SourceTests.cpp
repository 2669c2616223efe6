// The game data sources: a folder and archives of every format the tests can make, damaged ones, and
// what both refuse.
#include "RARLoad/ArchiveWriters.h"
#include "RARLoad/RARLoad.h"
#include "support/TestFiles.h"
#include "support/Text1250.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>

using namespace vexo::literals;
using testarchive::Item;
using tundrel_test::MessageOf;

namespace {

using Listing = std::vector<std::pair<std::string, std::string>>; // name, content

// Every entry, read alternately with Read and ReadToString so that both ways are exercised; the
// sizes announced by Next are checked against what was delivered.
Listing DrainPath(const std::string& path) {
    const std::unique_ptr<CRARLoader> source(OpenGameData(path));
    Listing listing;
    std::string name;
    std::uint32_t size = 0;
    while (source->Next(name, size)) {
        std::string content;
        if (listing.size() % 2 == 0) {
            content.assign(size, '\0');
            source->Read(content.data());
        } else {
            source->ReadToString(content);
        }
        EXPECT_EQ(content.size(), size) << name;
        listing.emplace_back(name, content);
    }
    return listing;
}

// A file of the scratch folder, written with the folders on its way.
void Write(const std::string& path, const std::string& bytes) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    vexo::WriteStringToFile(path, bytes);
}

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
    if (format == "rar4") return testarchive::Rar4(items);
    if (format == "rar5") return testarchive::Rar5(items);
    return testarchive::WithLibarchive(format, items);
}

// A scratch folder and the path of the game data source in it.
class Scratch {
protected:
    tundrel_test::TempDir scratch;
    std::string path = scratch.File("GameData");
};

class ArchiveFormat : public ::testing::TestWithParam<std::string>, protected Scratch {};

TEST_P(ArchiveFormat, DeliversFilesOnlyWithBackslashNamesAndExactContent) {
    vexo::WriteStringToFile(path, Make(GetParam(), Content()));
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
        vexo::WriteStringToFile(path, whole.substr(0, cut));
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

class ArchiveSource : public ::testing::Test, protected Scratch {
protected:
    std::string Open(const std::string& bytes) {
        vexo::WriteStringToFile(path, bytes);
        return MessageOf([&] { DrainPath(path); });
    }
    std::string CannotOpen(std::string_view reason) {
        return std::string("Nie można otworzyć \""_pl) + path + "\"." + std::string(reason);
    }
};

TEST_F(ArchiveSource, DamagedRar4) {
    const std::vector<Item> items = {{"a.txt", "first file"}, {"b.txt", "second file"}};
    const std::string good = testarchive::Rar4(items);
    const std::size_t firstHeader = 7 + 13, firstData = firstHeader + 32 + 5;
    const std::size_t secondHeader = firstData + items[0].data.size();
    ASSERT_EQ(good.substr(firstData, 10), "first file");

    std::string flipped = good;
    flipped[firstHeader + 8] ^= 1; // inside the first file header, under its CRC
    EXPECT_EQ(Open(flipped), CannotOpen(" Nagłówek pliku jest uszkodzony."_pl));

    flipped = good;
    flipped[secondHeader + 8] ^= 1;
    EXPECT_EQ(Open(flipped), "Nagłówek pliku RAR jest uszkodzony."_pl);

    EXPECT_EQ(Open(good.substr(0, firstData + 4)), "Błąd odczytu."_pl);
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
    vexo::WriteStringToFile(path, Rar4WithSizes(8, 600u << 20));
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
    vexo::WriteStringToFile(path, bytes);
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

// Each entry is measured into a buffer of its own: nothing of the one before may stay in it.
TEST_F(ArchiveSource, AnEntryWhoseHeaderHasNoSizeIsMeasuredBeforeItIsAnnounced) {
    vexo::WriteStringToFile(path, testarchive::StreamedZip({{"a", "alpha"}, {"e", ""}, {"b", "bb"}}));
    EXPECT_EQ(DrainPath(path), (Listing{{"a", "alpha"}, {"e", ""}, {"b", "bb"}}));
}

class FolderSource : public ::testing::Test, protected Scratch {};

TEST_F(FolderSource, DeliversSubFoldersDepthFirstInByteOrderWithHiddenFiles) {
    for (const char* name : {"b.txt", "a.txt", "Sprites.xml", "Sprites/unit.png", "Z/deep/far.bmp", ".hidden",
                             "empty.txt", "Łódź/żółw.png"})
        Write(path + "/" + name, std::string(name) == "empty.txt" ? "" : name);
    std::filesystem::create_directories(scratch.File("GameData/Sprites/Empty"));
    std::filesystem::create_directories(scratch.File("GameData/Nothing"));

    const Listing expected = {{".hidden", ".hidden"},      {"Sprites\\unit.png", "Sprites/unit.png"},
                              {"Sprites.xml", "Sprites.xml"}, {"Z\\deep\\far.bmp", "Z/deep/far.bmp"},
                              {"a.txt", "a.txt"},           {"b.txt", "b.txt"},
                              {"empty.txt", ""},            {std::string("Łódź\\żółw.png"_pl), "Łódź/żółw.png"}};
    EXPECT_EQ(DrainPath(path), expected);
    // Each pass opens a fresh source; both must see the same sequence.
    EXPECT_EQ(DrainPath(path), expected);
}

TEST_F(FolderSource, AFileTooLargeToReadIsRefusedOnlyWhenRead) {
    Write(scratch.File("GameData/a.txt"), "a");
    for (const auto& [name, length] :
         {std::pair{"giant.bin", std::uintmax_t(4) << 30}, {"huge.bin", 600u << 20}}) {
        Write(path + "/" + name, "");
        std::filesystem::resize_file(path + "/" + name, length); // sparse
    }
    const auto tooLarge = [&](const std::string& name, const std::string& size) {
        return std::string("Plik \""_pl) + path + "\\" + name + std::string("\" jest za duży ("_pl) + size +
               std::string(" bajtów)."_pl);
    };
    std::unique_ptr<CRARLoader> source(OpenGameData(path));
    std::string name, text;
    std::uint32_t size = 0;
    std::vector<std::pair<std::string, std::uint32_t>> passed;
    while (source->Next(name, size)) {
        passed.emplace_back(name, size);
        source->Skip();
    }
    EXPECT_EQ(passed, (std::vector<std::pair<std::string, std::uint32_t>>{
                          {"a.txt", 1}, {"giant.bin", UINT32_MAX}, {"huge.bin", 600u << 20}}));

    // Refused when read, before anything is written.
    for (const auto& [skipped, message] :
         {std::pair{1, tooLarge("giant.bin", "4294967296")}, {2, tooLarge("huge.bin", "629145600")}}) {
        source.reset(OpenGameData(path));
        for (int i = 0; i <= skipped; ++i) {
            if (i) source->Skip();
            source->Next(name, size);
        }
        EXPECT_EQ(MessageOf([&] { skipped == 1 ? source->ReadToString(text) : source->Read(nullptr); }),
                  message);
    }
}

} // namespace
