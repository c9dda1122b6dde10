#include "tools/cfgtool/CfgTool.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

#include "tests/native/config/TempDir.h"

namespace {

struct ToolRun {
    int code;
    std::string out, err;
};

ToolRun cfgtool(std::vector<std::string> args) {
    std::ostringstream out, err;
    const int code = trimwell::RunCfgTool(
        args, out, err, [] { return std::string("D:\\FSX"); }, [](const std::string& p) { return p; });
    return {code, out.str(), err.str()};
}

}  // namespace

TEST(CfgTool, ListsReadsAndWritesWithTheEditorsRules) {
    TempDir dir;
    const auto path = dir.write("a.cfg", "[fltsim.0]\r\ntitle=\"Caf\xE9 Plane\"\r\n=val_no_key\r\n[General]\r\n");
    EXPECT_EQ(cfgtool({"sections", path}).out, "fltsim.0\nGeneral\n");
    EXPECT_EQ(cfgtool({"keys", path, "FLTSIM.0"}).out, "title\n");
    EXPECT_EQ(cfgtool({"get", path, "fltsim.0", ""}).out, "val_no_key\n");
    EXPECT_EQ(cfgtool({"get", path, "fltsim.0", "TITLE"}).out, "Caf\xE9 Plane\n");
    EXPECT_EQ(cfgtool({"get", path, "fltsim.0", "absent"}).out, "\n");
    EXPECT_EQ(cfgtool({"set", path, "General", "editable", "1"}).code, 0);
    EXPECT_EQ(slurp(path), "[fltsim.0]\r\ntitle=\"Caf\xE9 Plane\"\r\n=val_no_key\r\n[General]\r\neditable=1\r\n");
    EXPECT_EQ(cfgtool({"fsxpath"}).out, "D:\\FSX\n");
}

TEST(CfgTool, ExitCodes) {
    TempDir dir;
    const ToolRun refused = cfgtool({"set", dir.file("no/folder/a.cfg"), "s", "k", "v"});
    EXPECT_EQ(refused.code, 1);
    EXPECT_EQ(refused.err, "Unable to write to " + dir.file("no/folder/a.cfg") + "\n");
    for (const auto& wrong : std::vector<std::vector<std::string>>{{}, {"get", "f"}, {"frobnicate", "x"}, {"fsxpath", "x"}}) {
        const ToolRun r = cfgtool(wrong);
        EXPECT_EQ(r.code, 2);
        EXPECT_EQ(r.err.rfind("usage: cfgtool", 0), 0u);
    }
}

TEST(CfgTool, ProgramPassesBytesThrough) {
    const char* bin = std::getenv("TRIMWELL_HOST_BIN");
    if (!bin) GTEST_SKIP() << "TRIMWELL_HOST_BIN not set";
    TempDir dir;
    const auto path = dir.write("a.cfg", "[s]\nk=\xFF\xFE raw\n");
    const std::string cmd = std::string(bin) + "/cfgtool get '" + path + "' s k > '" + dir.file("out") + "'";
    EXPECT_EQ(std::system(cmd.c_str()), 0);
    EXPECT_EQ(slurp(dir.file("out")), "\xFF\xFE raw\n");
    const std::string bad = std::string(bin) + "/cfgtool get 2>/dev/null";
    EXPECT_EQ(WEXITSTATUS(std::system(bad.c_str())), 2);
}
