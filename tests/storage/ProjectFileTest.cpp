#include "storage/ProjectFile.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "base/Failure.h"

using namespace brenta;
using namespace brenta::storage;

namespace {

ProjectData ThreeJobs()
{
    ProjectData p;
    p.jobs = {{11294, 10, 5, 2}, {12380, 3, std::nullopt, std::nullopt}, {11294, 1, 0, std::nullopt}};
    p.stock = {{34, 1500}, {11293, 2.5}};
    p.flips = {{11293, true}, {3380, false}};
    p.salePrices = {{11293, 1250000.25}};
    return p;
}

TEST(ProjectFile, WritesTheProjectAndReadsItBackWhole)
{
    const std::string text = ProjectText(ThreeJobs());
    EXPECT_EQ(text,
        "Brenta project 1\r\n"
        "job{11294{10{5{2\r\n"
        "job{12380{3{{\r\n"
        "job{11294{1{0{\r\n"
        "stock{34{1500\r\n"
        "stock{11293{2.5\r\n"
        "flip{3380{buy\r\n"
        "flip{11293{build\r\n"
        "sale{11293{1250000.25\r\n");
    EXPECT_EQ(ReadProject(text), ThreeJobs());
    // Line ends of any system, a byte-order mark and blank lines read alike.
    EXPECT_EQ(ReadProject("\xEF\xBB\xBF"
                          "Brenta project 1\njob{11294{10{5{2\n\nstock{34{7\r"),
        (ProjectData{{{11294, 10, 5, 2}}, {{34, 7}}, {}, {}}));
    EXPECT_EQ(ReadProject(""), ProjectData{});
}

TEST(ProjectFile, AnyBadLineRefusesTheWholeFileNamingTheLine)
{
    const struct {
        const char* line;
        const char* why;
    } cases[] = {
        {"jobs{11294{1{{", "line 2 is no job, stock, flip or sale line"},
        {"job{11294{1{{{", "line 2 has 6 fields where 5 belong"},
        {"job{11294{1{", "line 2 has 4 fields where 5 belong"},
        {"job{x{1{{", "line 2 has a type ID that is no whole number (\"x\")"},
        {"job{30909{1{{", "line 2 names type ID 30909, which no item has"},
        {"job{11294{0{{", "line 2 has 0 runs; a job has at least one"},
        {"job{11294{1.5{{", "line 2 has a run count that is no whole number (\"1.5\")"},
        {"job{11294{99999999999{{", "line 2 has a run count that is no whole number (\"99999999999\")"},
        {"job{11294{1{-1{", "line 2 has a negative ML"},
        {"stock{34{-1", "line 2 has a quantity below zero"},
        {"stock{34{1,5", "line 2 has a quantity that is no number (\"1,5\")"},
        {"stock{34{1e999", "line 2 has a quantity that is no number (\"1e999\")"},
        {"flip{34{maybe", "line 2 chooses \"maybe\" where \"build\" or \"buy\" belongs"},
        {"sale{34{", "line 2 has a sale price that is no number (\"\")"},
    };
    for (const auto& c : cases) {
        try {
            ReadProject(std::string("Brenta project 1\r\n") + c.line + "\r\njob{11294{1{{\r\n");
            ADD_FAILURE() << c.line << " was read";
        } catch (const Failure& failure) {
            EXPECT_EQ(failure.what(), std::string("The project file cannot be read: ") + c.why + ".") << c.line;
        }
    }
    EXPECT_THROW(ReadProject("11294{5{2\r\n"), Failure); // an owned blueprints file, say
}

TEST(ProjectFile, AFigureThatCannotBeWrittenReplacesNothing)
{
    ProjectData p;
    p.stock[34] = std::numeric_limits<double>::infinity();
    EXPECT_THROW(ProjectText(p), Failure);
}

} // namespace
