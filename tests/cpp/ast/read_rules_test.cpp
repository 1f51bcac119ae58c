// The shared reading rules: descriptions of what was found, and a record with
// defaulted fields and an enumeration read at root level, as a reader outside
// the tree (the component schema) uses them.
#include "ast/read_rules.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace vyn::ast {

enum class Flavour : std::uint8_t { Sweet, Sour, Bitter };
inline constexpr std::array<std::string_view, 3> kFlavourNames = {"sweet", "sour", "bitter"};

struct Probe {
  Flavour flavour = Flavour::Sweet;
  bool strict = false;
  std::optional<std::string> note;
};

template <>
inline constexpr std::span<const std::string_view> kEnumNames<Flavour> = kFlavourNames;
template <>
inline constexpr auto kShape<Probe> = shape("Probe", field("flavour", &Probe::flavour),
                                            defaulted("strict", &Probe::strict), field("note", &Probe::note));

namespace {

TEST(ReadRules, FloatsShowTheShortestDigitsWithAnExponentOnlyWhenFarFromOne) {
  const std::pair<double, const char*> cases[] = {
      {2.0, "2.0"},
      {-2.0, "-2.0"},
      {0.1, "0.1"},
      {0.0, "0.0"},
      {-0.0, "-0.0"},
      {123.456, "123.456"},
      {0.001234, "0.001234"},
      {0.00001, "0.00001"},
      {0.000001, "1e-6"},
      {1e-7, "1e-7"},
      {1.5e-7, "1.5e-7"},
      {1e15, "1000000000000000.0"},
      {1e16, "1e16"},
      {1e20, "1e20"},
      {12345678901234567.0, "1.2345678901234568e16"},
      {std::numeric_limits<double>::max(), "1.7976931348623157e308"},
      {std::numeric_limits<double>::denorm_min(), "5e-324"},
      {std::numeric_limits<double>::infinity(), "inf"},
      {-std::numeric_limits<double>::infinity(), "-inf"},
      {std::nan(""), "NaN"},
  };
  for (const auto& [value, text] : cases) EXPECT_EQ(format_float(value), text) << value;
}

TEST(ReadRules, PlainFloatsNeverTakeAnExponent) {
  const std::pair<double, const char*> cases[] = {
      {2.0, "2.0"},
      {0.00001, "0.00001"},
      {1.5e-7, "0.00000015"},
      {-1e-7, "-0.0000001"},
      {1e16, "10000000000000000.0"},
      {1e20, "100000000000000000000.0"},
      {12345678901234567.0, "12345678901234568.0"},
  };
  for (const auto& [value, text] : cases) EXPECT_EQ(format_float(value, FloatNotation::Plain), text) << value;
}

TEST(ReadRules, DescriptionsOfWhatWasFound) {
  const std::pair<Json, const char*> cases[] = {
      {Json(nullptr), "null"},
      {Json(true), "boolean `true`"},
      {Json(false), "boolean `false`"},
      {Json(std::uint64_t{18446744073709551615u}), "integer `18446744073709551615`"},
      {Json(std::int64_t{-9223372036854775807 - 1}), "integer `-9223372036854775808`"},
      {Json(std::int64_t{5}), "integer `5`"},
      {Json(2.5), "floating point `2.5`"},
      {Json(1e20), "floating point `100000000000000000000.0`"},
      {Json(1.5e-7), "floating point `0.00000015`"},
      {Json("plain é ∑"), "string \"plain é ∑\""},
      {Json("q\"b\\n\nt\tr\r0"), R"(string "q\"b\\n\nt\tr\r0")"},
      {Json(std::string("\0\x01\x1f\x7f\xc2\x85\xc2\xa0", 8)), "string \"\\0\\u{1}\\u{1f}\\u{7f}\\u{85}\xc2\xa0\""},
      {Json::array({1}), "sequence"},
      {Json::object(), "map"},
      {Json::binary({1, 2}), "byte array"},
  };
  for (const auto& [value, text] : cases) EXPECT_EQ(describe(value), text);
}

std::string probe_error(const char* text, Context context) {
  auto read = read_as<Probe>(Json::parse(text), context);
  return read ? "ok" : read.error().message;
}

// A defaulted field may be left out of an array, and so may every field after
// it that can do without a value of its own.
TEST(ReadRules, RecordWithDefaultsAtRootLevel) {
  const std::pair<const char*, const char*> cases[] = {
      {R"({"flavour":"sour"})", "ok"},
      {R"({"strict":true})", "missing field `flavour`"},
      {R"({"flavour":"sour","strict":null})", "invalid type: null, expected a boolean"},
      {R"({"flavour":"salty"})", "unknown variant `salty`, expected one of `sweet`, `sour`, `bitter`"},
      {R"({"flavour":{"sour":null}})", "ok"},
      {R"({"flavour":{"sour":{}}})", "invalid type: map, expected unit"},
      {R"({"flavour":1})", "invalid type: integer `1`, expected string or map"},
      {R"([])", "invalid length 0, expected struct Probe with 3 elements"},
      {R"(["sour"])", "invalid length 2, expected struct Probe with 3 elements"},
      {R"(["sour",true,null])", "ok"},
      {R"(["sour",true,null,1])", "invalid length 4, expected fewer elements in array"},
      {R"("sour")", R"(invalid type: string "sour", expected struct Probe)"},
  };
  for (const auto& [text, message] : cases) EXPECT_EQ(probe_error(text, Context::RootLevel), message) << text;
  auto read = read_as<Probe>(Json::parse(R"({"flavour":"bitter","note":"n","other":[]})"), Context::RootLevel);
  ASSERT_TRUE(read);
  EXPECT_EQ(read.value().flavour, Flavour::Bitter);
  EXPECT_FALSE(read.value().strict);
  EXPECT_EQ(read.value().note, std::optional<std::string>("n"));
}

TEST(ReadRules, InsideNodeAnEmptyObjectIsAUnitAndArraysCountTheirElements) {
  EXPECT_EQ(probe_error(R"({"flavour":{"sour":{}}})", Context::InsideNode), "ok");
  EXPECT_EQ(probe_error(R"(["sour",true,null,1])", Context::InsideNode),
            "invalid length 4, expected 3 elements in sequence");
}

TEST(ReadRules, JsonValuesKeepTheirNumberKindsAndRejectByteArrays) {
  auto read =
      read_as<Json>(Json::array({std::int64_t{3}, std::int64_t{-3}, 3.0, std::uint64_t{3}}), Context::RootLevel);
  ASSERT_TRUE(read);
  EXPECT_TRUE(read.value()[0].is_number_unsigned());
  EXPECT_TRUE(read.value()[1].is_number_integer() && !read.value()[1].is_number_unsigned());
  EXPECT_TRUE(read.value()[2].is_number_float());
  EXPECT_EQ(read_as<Json>(Json::object({{"b", Json::binary({1})}}), Context::RootLevel).error().message,
            "invalid type: byte array, expected any valid JSON value");
}

}  // namespace
}  // namespace vyn::ast
