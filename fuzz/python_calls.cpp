#include "python_calls.hpp"

#include <vector>

#include "checks.hpp"
#include "module/errors.hpp"
#include "module/python_json.hpp"
#include "module/python_objects.hpp"

namespace vyn::fuzz {

void start_python() {
  PyPreConfig preconfig;
  PyPreConfig_InitIsolatedConfig(&preconfig);
  preconfig.allocator = PYMEM_ALLOCATOR_MALLOC;
  PyStatus status = Py_PreInitialize(&preconfig);
  if (PyStatus_Exception(status)) fail("Python pre-initialisation failed");
  PyConfig config;
  PyConfig_InitIsolatedConfig(&config);
  config.install_signal_handlers = 0;
  config.site_import = 0;
  status = Py_InitializeFromConfig(&config);
  PyConfig_Clear(&config);
  if (PyStatus_Exception(status)) fail(std::string("Python initialisation failed: ") + status.err_msg);
}

Ref python_str(std::string_view text) {
  Ref str(PyUnicode_DecodeUTF8(text.data(), static_cast<Py_ssize_t>(text.size()), nullptr));
  if (!str) PyErr_Clear();
  return str;
}

Ref python_str_list(std::initializer_list<std::string_view> items) {
  Ref list(PyList_New(0));
  for (std::string_view item : items) {
    Ref str = python_str(item);
    if (!str || PyList_Append(list.get(), str.get()) < 0) fail("building a list of str failed");
  }
  return list;
}

Ref call(ModuleFunction function, std::string_view name, std::initializer_list<PyObject*> args) {
  const std::vector<PyObject*> vector(args);
  Ref result(function(nullptr, vector.data(), static_cast<Py_ssize_t>(vector.size()), nullptr));
  if (!result) fail(std::string(name) + " raised: " + module::take_exception_text());
  return result;
}

ast::Json json_of(PyObject* object) {
  auto value = module::to_json(object);
  if (!value) fail("a result of the module has no JSON form: " + module::take_exception_text());
  return std::move(*value);
}

std::string text_of(PyObject* str) {
  auto text = module::utf8_of(str);
  if (!text) fail("a str result of the module is not UTF-8");
  return std::string(*text);
}

}  // namespace vyn::fuzz
