// A sink that builds the dictionary form as a JSON value.
#pragma once

#include <string>
#include <vector>

#include "ast/json.hpp"
#include "ast/sink.hpp"

namespace vyn::ast {

class JsonSink final : public Sink {
 public:
  void begin_object() override;
  void key(Key key) override;
  void end_object() override;
  void begin_array(std::size_t size) override;
  void end_array() override;
  void null() override;
  void boolean(bool value) override;
  void unsigned_integer(std::uint64_t value) override;
  void signed_integer(std::int64_t value) override;
  void floating(double value) override;
  void string(std::string_view value) override;

  // The finished value; the sink is empty afterwards.
  Json take();

 private:
  // Places a value where the writer is: in the open object under the pending
  // key, at the end of the open array, or as the result. Returns it in place.
  Json& put(Json value);

  Json result_;
  std::vector<Json*> open_;  // the containers being filled, innermost last
  std::string pending_key_;
};

}  // namespace vyn::ast
