// The rules for reading records, enumerations and plain values back from a
// JSON value, with the exact error texts; shared by every reader of a
// dictionary form (trees here, component schemas in the schema library).
//
// How a reader elsewhere uses it:
//   - describe a record once (shape.hpp), fields in declaration order (that
//     order is the array form), with the record's name for the error texts:
//       template <> inline constexpr auto kShape<PropSchema> = shape("PropSchema",
//           field("type", &PropSchema::type), defaulted("required", &PropSchema::required), ...);
//     A `std::optional` member is absent when its key is missing or null; a
//     `defaulted` member keeps its value-initialised default when missing.
//   - name the values of an enumeration in value order:
//       template <> inline constexpr std::span<const std::string_view> kEnumNames<PropType> = kPropTypeNames;
//   - any other type gets its own `ValueReader<T>` specialisation with
//     `static T read(const Json&, Reader&)`, built from the primitives below,
//     or, for a type that nests, `static void fill(const Json&, Reader&, T&)`,
//     which reads into a default value in place; std::string, bool,
//     u8/u32/u64, Json, std::optional and std::vector are provided.
//   - read with `read_as<Schema>(value, Context::RootLevel)`, which returns the
//     value or the one error that ended the reading.
// The primitives report a problem by throwing `ReadError`; `read_as` is where
// it is caught, so no exception leaves a reading entry point.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <tuple>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

#include "ast/json.hpp"
#include "ast/shape.hpp"
#include "ast/shared_text.hpp"

namespace vyn::ast {

// The one problem that ended a reading, as the text the caller reports.
struct ReadError {
  std::string message;
};

// The value read, or the error that ended the reading.
template <class T>
class ReadResult {
 public:
  ReadResult(T value) : state_(std::in_place_index<0>, std::move(value)) {}          // NOLINT: implicit on purpose
  ReadResult(ReadError error) : state_(std::in_place_index<1>, std::move(error)) {}  // NOLINT: implicit on purpose

  bool has_value() const { return state_.index() == 0; }
  explicit operator bool() const { return has_value(); }
  T& value() & { return std::get<0>(state_); }
  const T& value() const& { return std::get<0>(state_); }
  T&& value() && { return std::get<0>(std::move(state_)); }
  const ReadError& error() const { return std::get<1>(state_); }

 private:
  std::variant<T, ReadError> state_;
};

// Where a value is read from. A node's payload is buffered before it is read,
// and the buffered form is a little more lenient than the value itself: a
// variant may be named by its index, and an empty object stands for "no
// payload". Everything inside a node is read `InsideNode`; the root record,
// its position and the tags of its children (and a schema throughout) are read
// at `RootLevel`. The contexts also word the too-long array error differently.
enum class Context : std::uint8_t { RootLevel, InsideNode };

// The state of one reading: its context and how deep it is in nested arrays
// and objects, bounded by kMaxJsonDepth so that no value exhausts the stack.
class Reader {
 public:
  explicit Reader(Context context) : context_(context) {}

  Context context() const { return context_; }

  // Holds one level of nesting for as long as it lives; fails past the bound.
  class Nest {
   public:
    explicit Nest(Reader& reader);
    ~Nest() { --reader_.depth_; }
    Nest(const Nest&) = delete;
    Nest& operator=(const Nest&) = delete;

   private:
    Reader& reader_;
  };

  // Switches the context for as long as it lives.
  class Within {
   public:
    Within(Reader& reader, Context context) : reader_(reader), saved_(reader.context_) { reader.context_ = context; }
    ~Within() { reader_.context_ = saved_; }
    Within(const Within&) = delete;
    Within& operator=(const Within&) = delete;

   private:
    Reader& reader_;
    Context saved_;
  };

 private:
  Context context_;
  std::size_t depth_ = 0;
};

// --- what was found and the error texts -------------------------------------

// "null", "boolean `true`", "integer `-3`", "floating point `2.0`",
// "string \"a\\\"b\"", "sequence", "map".
std::string describe(const Json& value);
// How a float's digits are laid out far from one.
enum class FloatNotation : std::uint8_t {
  // As JSON text writes it: plain between 1e-5 and 1e16 ("2.0", "0.001"),
  // else with an exponent ("1e20", "1.5e-7").
  Json,
  // As the error texts describe it: never an exponent ("100000000000000000000.0",
  // "0.00000015"), so a whole number always ends in ".0".
  Plain,
};
// A float with the shortest digits that read back to the same value.
std::string format_float(double value, FloatNotation notation = FloatNotation::Json);

[[noreturn]] void fail(std::string message);
// "invalid type: <found>, expected <expected>"
[[noreturn]] void fail_type_text(std::string_view found, std::string_view expected);
[[noreturn]] void fail_type(const Json& found, std::string_view expected);
// "invalid value: <found>, expected <expected>"
[[noreturn]] void fail_value(std::string_view found, std::string_view expected);
// "invalid length <count>, expected <expected>"
[[noreturn]] void fail_length(std::size_t count, std::string_view expected);
// "missing field `<name>`"
[[noreturn]] void fail_missing(std::string_view name);
// "unknown variant `<name>`, expected <one of names>"
[[noreturn]] void fail_unknown_variant(std::string_view name, std::span<const std::string_view> names);
// An array longer than the record that was read from it.
[[noreturn]] void fail_too_long(std::size_t count, std::size_t fields, const Reader& reader);

// --- primitives ---------------------------------------------------------------

const std::string& read_string(const Json& value);
bool read_bool(const Json& value);
// A non-negative integer up to `max`; `expected` names the width ("u8").
std::uint64_t read_unsigned(const Json& value, std::uint64_t max, std::string_view expected);
// The index of a variant named `name`.
std::size_t read_variant_name(std::string_view name, std::span<const std::string_view> names);
// The tag of an internally tagged union: its "type" key, or the first element
// of its array form.
const Json& read_tag_value(const Json& tagged);
// A variant's tag: its name, or inside a node also its index.
std::size_t read_tag(const Json& tag, const Reader& reader, std::span<const std::string_view> names);
// A unit payload: null, or inside a node also an empty object.
void read_unit(const Json& value, const Reader& reader);
// An enumeration value: its name, or an object whose single key is the name
// and whose value is a unit payload.
std::size_t read_enum(const Json& value, const Reader& reader, std::span<const std::string_view> names);
// A JSON-valued field, copied with its numbers kept as the interchange value
// keeps them (a non-negative integer is unsigned). `unrepresentable` is the
// message for the byte arrays a Json can hold but a dictionary cannot.
Json read_json(const Json& value, Reader& reader, std::string_view unrepresentable);

// --- records and enumerations -----------------------------------------------

// Reads a value of type T; specialise for types that are neither records nor
// enumerations.
template <class T>
struct ValueReader;

template <class T>
concept FilledInPlace = requires(const Json& value, Reader& reader, T& out) {
  ValueReader<T>::fill(value, reader, out);
};

// Nested values are filled in place, into the storage their parent already
// holds: no level of a deep value keeps a record of its own on the stack
// while the levels below it are read.
template <class T>
void read_into(const Json& value, Reader& reader, T& out) {
  if constexpr (FilledInPlace<T>)
    ValueReader<T>::fill(value, reader, out);
  else
    out = ValueReader<T>::read(value, reader);
}

template <class T>
T read_value(const Json& value, Reader& reader) {
  if constexpr (FilledInPlace<T>) {
    T out{};
    ValueReader<T>::fill(value, reader, out);
    return out;
  } else {
    return ValueReader<T>::read(value, reader);
  }
}

template <>
struct ValueReader<std::string> {
  static std::string read(const Json& value, Reader&) { return read_string(value); }
};

template <>
struct ValueReader<SharedText> {
  static SharedText read(const Json& value, Reader&) { return read_string(value); }
};

template <>
struct ValueReader<bool> {
  static bool read(const Json& value, Reader&) { return read_bool(value); }
};

template <class T>
requires(std::is_same_v<T, std::uint8_t> || std::is_same_v<T, std::uint32_t> ||
         std::is_same_v<T, std::uint64_t>) struct ValueReader<T> {
  static constexpr std::string_view kName = sizeof(T) == 1 ? "u8" : sizeof(T) == 4 ? "u32" : "u64";
  static T read(const Json& value, Reader&) {
    return static_cast<T>(read_unsigned(value, std::numeric_limits<T>::max(), kName));
  }
};

template <>
struct ValueReader<Json> {
  static Json read(const Json& value, Reader& reader) {
    return read_json(value, reader, "invalid type: byte array, expected any valid JSON value");
  }
};

template <class T>
struct ValueReader<std::optional<T>> {
  static void fill(const Json& value, Reader& reader, std::optional<T>& out) {
    if (value.is_null())
      out.reset();
    else
      read_into(value, reader, out.emplace());
  }
};

template <class T>
struct ValueReader<std::vector<T>> {
  static void fill(const Json& value, Reader& reader, std::vector<T>& list) {
    if (!value.is_array()) fail_type(value, "a sequence");
    Reader::Nest nest(reader);
    list.clear();
    list.reserve(value.size());
    for (const auto& element : value) read_into(element, reader, list.emplace_back());
  }
};

template <NamedEnum T>
struct ValueReader<T> {
  static T read(const Json& value, Reader& reader) { return static_cast<T>(read_enum(value, reader, kEnumNames<T>)); }
};

// Reads a record by its shape, into a default record: from an object by key
// (unknown keys ignored, missing ones settled in declaration order) or from an
// array by position. A field that is not read keeps the record's default.
template <class Record, const auto& kRecordShape>
struct RecordReader {
  static void fill(const Json& value, Reader& reader, Record& out) {
    if (!value.is_object() && !value.is_array()) fail_not_record(value);
    Reader::Nest nest(reader);
    fill_fields(value, 0, reader, out);
  }

  // The fields held by an object, or by an array's elements from `first` on
  // (a tagged union's array form keeps its tag in front).
  static void fill_fields(const Json& container, std::size_t first, Reader& reader, Record& out) {
    if (container.is_object())
      from_object(container, reader, out);
    else
      from_elements(container, first, reader, out);
  }

 private:
  static constexpr auto& kFields = kRecordShape.fields;
  static constexpr std::size_t kCount = std::tuple_size_v<std::remove_cvref_t<decltype(kFields)>>;
  static_assert(kCount <= 32);
  // One bit per field, set once the field is read.
  using Seen = std::uint32_t;

  template <std::size_t I>
  using MemberOf = std::remove_cvref_t<decltype(std::declval<Record&>().*(std::get<I>(kFields).member))>;

  static std::string expected() { return std::string(kRecordShape.prefix) + std::string(kRecordShape.name); }

  // The error texts are built out of line: records nest, and their readers'
  // frames stay small.
  [[noreturn, gnu::noinline]] static void fail_not_record(const Json& value) { fail_type(value, expected()); }
  [[noreturn, gnu::noinline]] static void fail_short(std::size_t count) {
    fail_length(count, expected() + " with " + std::to_string(kCount) + (kCount == 1 ? " element" : " elements"));
  }

  template <std::size_t I>
  static void read_field(const Json& value, Reader& reader, Record& out) {
    read_into(value, reader, out.*(std::get<I>(kFields).member));
  }

  // Reads `value` into the field named `key`, if there is one.
  static void read_named(std::string_view key, const Json& value, Reader& reader, Record& out, Seen& seen) {
    [&]<std::size_t... I>(std::index_sequence<I...>) {
      (void)((std::get<I>(kFields).name == key ? (read_field<I>(value, reader, out), seen |= Seen{1} << I, true)
                                               : false) ||
             ...);
    }
    (std::make_index_sequence<kCount>());
  }

  static void from_object(const Json& object, Reader& reader, Record& out) {
    Seen seen = 0;
    for (const auto& [key, value] : object.get_ref<const Json::object_t&>()) read_named(key, value, reader, out, seen);
    [&]<std::size_t... I>(std::index_sequence<I...>) { (settle<I>(seen), ...); }
    (std::make_index_sequence<kCount>());
  }

  template <std::size_t I>
  static void settle(Seen seen) {
    const auto& f = std::get<I>(kFields);
    if (!(seen >> I & 1) && f.rule != FieldRule::Defaulted && !IsOptional<MemberOf<I>>::value) fail_missing(f.name);
  }

  static void from_elements(const Json& array, std::size_t first, Reader& reader, Record& out) {
    const auto& elements = array.get_ref<const Json::array_t&>();
    const std::size_t given = elements.size() - first;
    [&]<std::size_t... I>(std::index_sequence<I...>) { (element<I>(elements, first, given, reader, out), ...); }
    (std::make_index_sequence<kCount>());
    if (given > kCount) fail_too_long(given, kCount, reader);
  }

  // Once the elements run out, a defaulted field passes and any other field
  // ends the reading, counted by its own position.
  template <std::size_t I>
  static void element(const Json::array_t& elements, std::size_t first, std::size_t given, Reader& reader,
                      Record& out) {
    if (I < given) return read_field<I>(elements[first + I], reader, out);
    if (std::get<I>(kFields).rule == FieldRule::Defaulted) return;
    fail_short(I);
  }
};

template <ShapedRecord T>
struct ValueReader<T> : RecordReader<T, kShape<T>> {};

// Reads a whole value; the entry point of every reader.
template <class T>
ReadResult<T> read_as(const Json& value, Context context) {
  try {
    Reader reader(context);
    return read_value<T>(value, reader);
  } catch (ReadError& error) {
    return std::move(error);
  }
}

}  // namespace vyn::ast
