#include "config/Variations.h"

#include <gtest/gtest.h>

#include "config/IniLayout.h"

using trimwell::AddVariation;
using trimwell::IniLayout;
using trimwell::ListVariations;
using namespace std::string_literals;

namespace {

// An aircraft file as they come: settings before the variations, a quoted title, remarks after
// values, comment lines among the keys and after the last key, other sections after them.
const std::string kHead =
    "[Version]\r\nmajor=1\r\n\r\n[General]\r\natc_type=CESSNA\r\n\r\n"
    "[fltsim.0]\r\n"
    "title=\"Cessna Skyhawk 172SP\"\r\n"
    "sim=Cessna172SP   // the model folder\r\n"
    "; shared by every paint\r\n"
    "model=\r\n"
    "Texture=\r\n"
    "ui_manufacturer=\"Cessna\"\r\n"
    "// end of the default paint\r\n"
    "\r\n"
    "[FLTSIM.1]\r\n"
    "title=Skyhawk Paint1\r\n"
    "texture=1\r\n";
const std::string kTail = "; paint 1 done\r\n\r\n[WEIGHT_AND_BALANCE]\r\nmax_gross_weight=2550\r\n";

std::string listing(const std::string& bytes) {
    std::string text;
    for (const auto& v : ListVariations(IniLayout(bytes)).variations)
        text += std::to_string(v.number) + "|" + v.title + "|" + v.texture + "\n";
    return text;
}

std::vector<std::string> warnings(const std::string& bytes) { return ListVariations(IniLayout(bytes)).warnings; }

}  // namespace

TEST(Variations, ListsTheSectionsTheSimulatorReadsInTheOrderOfTheirNumbers) {
    EXPECT_EQ(listing(kHead + kTail),
              "0|Cessna Skyhawk 172SP|\n"
              "1|Skyhawk Paint1|1\n");
    EXPECT_TRUE(warnings(kHead + kTail).empty());
    // Out of file order, a second section of one name, and names the simulator never asks for.
    EXPECT_EQ(listing("[fltsim.1]\ntitle='B'\n[fltsim.0]\ntitle=A // remark\ntexture=a\n[fltsim.1]\ntitle=Later\n"
                      "[fltsim.01]\n[fltsim.x]\n[fltsim.]\n[fltsim.1234567890123456789]\n[fltsim]\n"),
              "0|A // remark|a\n"
              "1|B|\n");
    EXPECT_EQ(listing(""), "");
    EXPECT_EQ(listing("\xFF\xFE[\0f\0l\0t\0s\0i\0m\0.\0\x30\0]\0"s), "0||\n");
}

TEST(Variations, WarnsOfEachGapAndEachSharedTitle) {
    const std::string file =
        "[fltsim.1]\ntitle=Red\n[fltsim.2]\ntitle=Blue\n[fltsim.5]\ntitle=RED\n[fltsim.7]\ntitle=\"red\"\n"
        "[fltsim.8]\ntitle=blue\n[fltsim.9]\n[fltsim.10]\n";
    EXPECT_EQ(warnings(file), (std::vector<std::string>{
                                  "no [fltsim.0]: the simulator stops before [fltsim.1]",
                                  "no [fltsim.3] to [fltsim.4]: the simulator stops before [fltsim.5]",
                                  "no [fltsim.6]: the simulator stops before [fltsim.7]",
                                  "the title \"Red\" is used by [fltsim.1], [fltsim.5] and [fltsim.7]",
                                  "the title \"Blue\" is used by [fltsim.2] and [fltsim.8]",
                              }));
}

TEST(Variations, AddsACopyAfterTheLastKeyOfTheHighestVariationInTheFilesLineEnds) {
    const auto added = AddVariation(IniLayout(kHead + kTail), "Skyhawk Paint2", "2", "0");
    ASSERT_TRUE(added.refusals.empty()) << added.refusals.front();
    EXPECT_EQ(added.sectionName, "fltsim.2");
    EXPECT_EQ(added.bytes, kHead +
                               "\r\n"
                               "[fltsim.2]\r\n"
                               "title=Skyhawk Paint2\r\n"
                               "sim=Cessna172SP   // the model folder\r\n"
                               "; shared by every paint\r\n"
                               "model=\r\n"
                               "Texture=2\r\n"
                               "ui_manufacturer=\"Cessna\"\r\n" +
                               kTail);
    EXPECT_EQ(listing(added.bytes), "0|Cessna Skyhawk 172SP|\n1|Skyhawk Paint1|1\n2|Skyhawk Paint2|2\n");
}

TEST(Variations, GivesALastLineItsEndBeforeAddingAndAddsMissingKeys) {
    const std::string file = "[General]\nx=1\n\n[fltsim.0]\nsim=C172\n  // a remark\nmodel=\n[fltsim.1]\ntitle=One";
    const auto added = AddVariation(IniLayout(file), "Two", "two", "0");
    ASSERT_TRUE(added.refusals.empty());
    EXPECT_EQ(added.bytes, file + "\n\n[fltsim.2]\nsim=C172\n  // a remark\nmodel=\ntitle=Two\ntexture=two\n");

    // A variation without keys: the new one follows its header.
    const std::string keyless = "[fltsim.0]\r\ntitle=A\r\n[fltsim.1]\r\n";
    EXPECT_EQ(AddVariation(IniLayout(keyless + "\r\n[x]\r\n"), "B", "b", "1").bytes,
              keyless + "\r\n[fltsim.2]\r\ntitle=B\r\ntexture=b\r\n\r\n[x]\r\n");
}

TEST(Variations, RefusesWhatWouldHideOrConfuseAVariation) {
    const auto refusals = [](const std::string& file, std::string_view title, std::string_view from = "0") {
        const auto added = AddVariation(IniLayout(file), title, "t", from);
        EXPECT_TRUE(added.bytes.empty());
        return added.refusals;
    };
    using Lines = std::vector<std::string>;
    EXPECT_EQ(refusals(kHead + kTail, "New", "3"), Lines{"no [fltsim.3] to copy"});
    EXPECT_EQ(refusals(kHead + kTail, "New", "01"), Lines{"no [fltsim.01] to copy"});
    EXPECT_EQ(refusals("[General]\n", "New"), Lines{"no [fltsim.0] to copy"});
    EXPECT_EQ(refusals(kHead + kTail, " 'skyhawk PAINT1' "),
              Lines{"the title \"Skyhawk Paint1\" is already used by [fltsim.1]"});
    EXPECT_EQ(refusals("[fltsim.0]\ntitle=A\n[fltsim.2]\ntitle=C\n[fltsim.5]\n", "New"),
              (Lines{"no [fltsim.1]: the simulator would never show the new [fltsim.6]",
                     "no [fltsim.3] to [fltsim.4]: the simulator would never show the new [fltsim.6]"}));
    EXPECT_EQ(refusals("[fltsim.0]\ntitle=A\n", "Line\r\nbreak"),
              Lines{"the title and the texture must be one line each"});
    EXPECT_EQ(refusals("\xFF\xFE[\0f\0l\0t\0s\0i\0m\0.\0\x30\0]\0"s, "New"),
              Lines{"the file is UTF-16 text, which an 8-bit rewrite would corrupt"});
}
