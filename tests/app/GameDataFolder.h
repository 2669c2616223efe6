// A small GameData folder for the application tests: one font, one sprite set with a real image,
// in a temporary folder that becomes the current folder while it lives (the game opens
// "GameData" relative to it).
#pragma once

#include "support/Files.h"
#include "support/TestFiles.h"

#include <filesystem>
#include <string>

class CGameDataFolder {
public:
    explicit CGameDataFolder(bool withGameData = true) : previous(std::filesystem::current_path()) {
        std::filesystem::current_path(dir.path);
        if (!withGameData) return;
        std::filesystem::create_directory(dir.File("GameData"));
        vexo::WriteStringToFile(dir.File("GameData/Fonts.xml"),
                                "<fonts><font><id>0</id><name>DejaVu Sans</name><size>12</size></font></fonts>");
        vexo::WriteStringToFile(dir.File("GameData/Sprites.xml"),
                                "<sprites><sprite><id>2</id><file>units.bmp</file><size>64</size>"
                                "<sprite-size>8</sprite-size><color-key>0</color-key></sprite></sprites>");
        vexo::WriteStringToFile(dir.File("GameData/units.bmp"), Bitmap(64, 0x3366CC));
        vexo::WriteStringToFile(dir.File("GameData/unused.txt"), "not wanted by anyone");
    }
    ~CGameDataFolder() { std::filesystem::current_path(previous); }
    CGameDataFolder(const CGameDataFolder&) = delete;
    CGameDataFolder& operator=(const CGameDataFolder&) = delete;

    // A square 24-bit Windows bitmap of one colour (0xRRGGBB).
    static std::string Bitmap(int side, std::uint32_t rgb) {
        const std::uint32_t row = std::uint32_t(side) * 3u, size = 54u + row * std::uint32_t(side);
        std::string bytes(size, '\0');
        const auto put = [&](std::size_t at, std::uint32_t value, int count) {
            for (int i = 0; i < count; ++i) bytes[at + std::size_t(i)] = char((value >> (8 * i)) & 0xFF);
        };
        bytes[0] = 'B';
        bytes[1] = 'M';
        put(2, size, 4);
        put(10, 54, 4);
        put(14, 40, 4);
        put(18, std::uint32_t(side), 4);
        put(22, std::uint32_t(side), 4);
        put(26, 1, 2);
        put(28, 24, 2);
        for (std::size_t at = 54; at + 2 < size; at += 3) put(at, rgb, 3);
        return bytes;
    }

    tundrel_test::TempDir dir;

private:
    std::filesystem::path previous;
};
