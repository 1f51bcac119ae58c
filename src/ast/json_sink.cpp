#include "ast/json_sink.hpp"

#include <utility>

namespace vyn::ast {

Json& JsonSink::put(Json value) {
  if (open_.empty()) {
    result_ = std::move(value);
    return result_;
  }
  Json& container = *open_.back();
  if (container.is_array()) {
    container.push_back(std::move(value));
    return container.back();
  }
  Json& slot = container[pending_key_];
  slot = std::move(value);
  return slot;
}

void JsonSink::begin_object() { open_.push_back(&put(Json::object())); }
void JsonSink::key(Key key) { pending_key_.assign(key.text()); }
void JsonSink::end_object() { open_.pop_back(); }

void JsonSink::begin_array(std::size_t size) {
  Json& array = put(Json::array());
  array.get_ref<Json::array_t&>().reserve(size);
  open_.push_back(&array);
}
void JsonSink::end_array() { open_.pop_back(); }

void JsonSink::null() { put(nullptr); }
void JsonSink::boolean(bool value) { put(value); }
void JsonSink::unsigned_integer(std::uint64_t value) { put(value); }
void JsonSink::signed_integer(std::int64_t value) { put(value); }
void JsonSink::floating(double value) { put(value); }
void JsonSink::string(std::string_view value) { put(std::string(value)); }

Json JsonSink::take() {
  open_.clear();
  return std::exchange(result_, Json());
}

}  // namespace vyn::ast
