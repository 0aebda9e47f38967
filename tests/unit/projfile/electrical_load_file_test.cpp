// The text of KVT_ELEC.TMP that a project asks for.
#include <gtest/gtest.h>

#include "projfile/projfile.h"
#include "model/run_inputs.h"

namespace {

std::optional<std::string> load_file_of(const std::string& rest)
{
    const auto project = qxhost::parse_project(
        R"({"project": {"instance": 1, "name": "P", "scenario": "S"})" + rest + "}", "plant.json");
    return qxhost::electrical_load_file_text(*project);
}

TEST(ElectricalLoadFile, LinesFromTheLoads)
{
    EXPECT_EQ(load_file_of(R"(, "electrical_loads": {"total_kw": 310.5, "items": [{"ref_id": 101, "kw": 300.25},
                                                                              {"ref_id": 7, "kw": 0}]})"),
              "Object Ref ID:Electrical Load (KW)\n"
              "101:300.250000\n"
              "7:0.000000\n"
              "Project Total:310.500000 KW\n");
}

TEST(ElectricalLoadFile, TheTotalIsTheSumWhenLeftOut)
{
    EXPECT_EQ(load_file_of(R"(, "electrical_loads": {"items": [{"ref_id": 1, "kw": 1.5}, {"ref_id": 2, "kw": 2.25}]})"),
              "Object Ref ID:Electrical Load (KW)\n1:1.500000\n2:2.250000\nProject Total:3.750000 KW\n");
    EXPECT_EQ(load_file_of(R"(, "electrical_loads": {})"),
              "Object Ref ID:Electrical Load (KW)\nProject Total:0.000000 KW\n");
}

TEST(ElectricalLoadFile, LargeLoadsArePrintedWhole)
{
    EXPECT_EQ(load_file_of(R"(, "electrical_loads": {"total_kw": 1e30, "items": []})"),
              "Object Ref ID:Electrical Load (KW)\nProject Total:1000000000000000019884624838656.000000 KW\n");
}

TEST(ElectricalLoadFile, TheFileTextWins)
{
    EXPECT_EQ(load_file_of(R"(, "electrical_loads": {"total_kw": 1}, "electrical_load_file": "exact\ntext")"),
              "exact\ntext");
    EXPECT_EQ(load_file_of(R"(, "electrical_load_file": "")"), "");
}

TEST(ElectricalLoadFile, NoneWithoutEitherKey) { EXPECT_EQ(load_file_of(""), std::nullopt); }

}  // namespace
