// Fluid-file names as the program passes them: Windows separators, relative to a working
// directory that may not hold them, any capitalisation.
#include "FluidPathResolver.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace velutra::thermo::test {
namespace {

namespace fs = std::filesystem;

class FluidPathResolverTest : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() / ("velutra-resolver-" + std::to_string(::getpid()));
        fs::create_directories(root_ / "work" / "fluids");
        fs::create_directories(root_ / "library");
        std::ofstream(root_ / "work" / "fluids" / "Local.fld") << "{}";
        std::ofstream(root_ / "library" / "R143a.fld") << "{}";
        previous_ = fs::current_path();
        fs::current_path(root_ / "work");
    }
    void TearDown() override {
        fs::current_path(previous_);
        fs::remove_all(root_);
    }
    std::vector<std::string> folders() const {
        return { (root_ / "missing").string(), (root_ / "library").string() };
    }

    fs::path root_;
    fs::path previous_;
};

TEST_F(FluidPathResolverTest, PathAsGivenFirstThenTheBaseNameInAnyCaseInTheLibraryFolders) {
    EXPECT_EQ(ResolveFluidFile("fluids\\Local.fld", folders()), "fluids/Local.fld");
    // The R507A list spells "R143A.fld"; the file is "R143a.fld".
    const auto found = ResolveFluidFile("..\\fluids\\R143A.fld", folders());
    ASSERT_TRUE(found);
    EXPECT_EQ(fs::path(*found), root_ / "library" / "R143a.fld");

    EXPECT_FALSE(ResolveFluidFile("..\\fluids\\R999.fld", folders()));
    EXPECT_FALSE(ResolveFluidFile("", folders()));
    // A folder is no fluid file, even when its name matches.
    EXPECT_FALSE(ResolveFluidFile("..\\fluids\\", folders()));
}

} // namespace
} // namespace velutra::thermo::test
