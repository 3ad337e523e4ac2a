// The committed skin is what tools/artgen makes: the generator runs into a
// temporary folder and every file must come out byte for byte the same, under
// the id the program loads it by.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>
#include <vector>

#include "setup/resources/embedded_resources.h"
#include "tests/scratch_path.h"
#include "tools/artgen/artgen.h"

namespace setup {
namespace {

std::vector<std::uint8_t> readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(ArtworkRegeneration, GeneratorReproducesTheCommittedFiles) {
    const auto files = artgen::generateSkin();
    auto dir = setup::test::scratchPath("artgen-" + std::to_string(reinterpret_cast<std::uintptr_t>(&files)));
    std::filesystem::create_directories(dir);
    ASSERT_TRUE(artgen::writeSkin(files, dir.string()));
    for (const auto& f : files) {
        auto generated = readFile(dir / f.name);
        auto committed = readFile(std::filesystem::path(ORV_RESOURCE_DIR) / f.name);
        EXPECT_EQ(generated.size(), f.bytes.size()) << f.name;
        EXPECT_TRUE(generated == committed)
            << f.name << " differs from the generator's output: run artgen setup/resources";
    }
    std::filesystem::remove_all(dir);
}

TEST(ArtworkRegeneration, EveryGeneratedFileIsCarriedUnderItsId) {
    std::ifstream rcFile(std::filesystem::path(ORV_RESOURCE_DIR) / "orvsetup.rc");
    const std::string rc{std::istreambuf_iterator<char>(rcFile), std::istreambuf_iterator<char>()};
    for (const auto& f : artgen::generateSkin()) {
        const bool icon = f.width == 0;
        const std::string line = std::to_string(f.resourceId) + (icon ? " ICON \"" : " BITMAP \"") + f.name + "\"";
        EXPECT_NE(rc.find(line), std::string::npos) << line;
        if (icon) continue;
        auto embedded = embeddedResource(ResourceType::Bitmap, f.resourceId);
        ASSERT_TRUE(embedded.has_value()) << f.name;
        EXPECT_TRUE(std::equal(embedded->begin(), embedded->end(), f.bytes.begin(), f.bytes.end())) << f.name;
    }
    EXPECT_NE(rc.find("150 RT_TEXT \"help_en.txt\""), std::string::npos);
    EXPECT_NE(rc.find("189 RT_TEXT \"help_fr.txt\""), std::string::npos);
}

}  // namespace
}  // namespace setup
