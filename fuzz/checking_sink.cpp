#include "checking_sink.hpp"

#include "checks.hpp"

namespace vyn::fuzz {

void CheckingSink::value() {
  if (open_.empty()) {
    if (++top_level_values_ > 1) fail("sink: a second value at the top level");
    return;
  }
  Open& top = open_.back();
  if (!top.object) return;
  if (!top.keyed) fail("sink: a value in an object without a key");
  top.keyed = false;
}

void CheckingSink::begin_object() {
  value();
  open_.push_back({true});
}

void CheckingSink::key(ast::Key key_name) {
  const std::string_view key = key_name.text();
  if (open_.empty() || !open_.back().object) fail("sink: a key outside an object");
  Open& top = open_.back();
  if (top.keyed) fail("sink: a key after a key");
  if (top.has_key && !(top.last_key < key)) fail("sink: key \"" + std::string(key) + "\" out of byte-wise order");
  top.last_key.assign(key);
  top.has_key = true;
  top.keyed = true;
}

void CheckingSink::end_object() {
  if (open_.empty() || !open_.back().object) fail("sink: end_object without an open object");
  if (open_.back().keyed) fail("sink: an object closed after a key with no value");
  open_.pop_back();
}

void CheckingSink::begin_array(std::size_t) {
  value();
  open_.push_back({false});
}

void CheckingSink::end_array() {
  if (open_.empty() || open_.back().object) fail("sink: end_array without an open array");
  open_.pop_back();
}

void CheckingSink::finish() const {
  if (!open_.empty()) fail("sink: containers left open");
  if (top_level_values_ != 1) fail("sink: no value written");
}

}  // namespace vyn::fuzz
