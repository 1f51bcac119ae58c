// The extension module `vyn._vyn`: its definition for multi-phase
// initialisation and the body that adds the seven functions.
#include <Python.h>

#include <array>

#include "module/functions.hpp"

namespace vyn::module {

namespace {

constexpr int kFastcall = METH_FASTCALL | METH_KEYWORDS | METH_STATIC;

// The interpreter keeps pointers to these records for the lifetime of the
// function objects, so they have static storage; nothing writes to them.
PyMethodDef kFunctions[] = {
    {"parse", reinterpret_cast<PyCFunction>(reinterpret_cast<void (*)()>(parse)), kFastcall,
     "parse(input)\n--\n\nParse an VYN document and return the AST as a Python dict."},
    {"parse_with_defaults", reinterpret_cast<PyCFunction>(reinterpret_cast<void (*)()>(parse_with_defaults)), kFastcall,
     "parse_with_defaults(input)\n--\n\nParse with default transforms (auto-slug + table of contents)."},
    {"parse_with_transforms", reinterpret_cast<PyCFunction>(reinterpret_cast<void (*)()>(parse_with_transforms)),
     kFastcall,
     "parse_with_transforms(input, transforms, repo=None)\n--\n\nParse with a specific set of transforms.\n\n"
     "Supported transform names: ``\"auto-slug\"``, ``\"toc\"``, ``\"github\"``.\n"
     "Pass ``repo=\"owner/repo\"`` for the github transform.\n"
     "A repository that GitHub could not hold (an owner over 39 characters, a name over 100, or "
     "characters GitHub does not allow) makes no links."},
    {"validate", reinterpret_cast<PyCFunction>(reinterpret_cast<void (*)()>(validate)), kFastcall,
     "validate(ast, schema)\n--\n\nValidate an AST dict against a schema dict.\nReturns a list of diagnostic dicts."},
    {"collect_text", reinterpret_cast<PyCFunction>(reinterpret_cast<void (*)()>(collect_text)), kFastcall,
     "collect_text(ast)\n--\n\nExtract plain text from an AST dict."},
    {"query_all", reinterpret_cast<PyCFunction>(reinterpret_cast<void (*)()>(query_all)), kFastcall,
     "query_all(ast, node_type)\n--\n\nFind all nodes of a given type. Returns a list of node dicts.\n\n"
     "A node found inside another one found is the same dict in both places: results may share "
     "sub-objects."},
    {"version", version, METH_NOARGS | METH_STATIC, "version()\n--\n\nReturn the VYN parser version."},
};

// Adds one function to the module and its name to `__all__`.
int add_function(PyObject* module, PyMethodDef* definition) {
  PyObject* module_name = PyModule_GetNameObject(module);
  if (!module_name) return -1;
  PyObject* function = PyCMethod_New(definition, module, module_name, nullptr);
  Py_DECREF(module_name);
  if (!function) return -1;
  int status = -1;
  PyObject* name = PyObject_GetAttrString(function, "__name__");
  PyObject* all = nullptr;
  if (name) {
    all = PyObject_GetAttrString(module, "__all__");
    if (!all && PyErr_ExceptionMatches(PyExc_AttributeError)) {
      PyErr_Clear();
      all = PyList_New(0);
      if (all && PyObject_SetAttrString(module, "__all__", all) < 0) Py_CLEAR(all);
    }
  }
  if (all && PyList_Append(all, name) == 0 && PyObject_SetAttr(module, name, function) == 0) status = 0;
  Py_XDECREF(all);
  Py_XDECREF(name);
  Py_DECREF(function);
  return status;
}

int exec_module(PyObject* module) {
  if (!module) return -1;
  if (!PyModule_Check(module)) {
    PyErr_Format(PyExc_TypeError, "'%s' object is not an instance of 'module'", Py_TYPE(module)->tp_name);
    return -1;
  }
  for (PyMethodDef& definition : kFunctions)
    if (add_function(module, &definition) < 0) return -1;
  return 0;
}

PyModuleDef_Slot kSlots[] = {
    {Py_mod_exec, reinterpret_cast<void*>(exec_module)},
#ifdef Py_mod_gil
    {Py_mod_gil, Py_MOD_GIL_NOT_USED},
#endif
    {0, nullptr},
};

PyModuleDef kDefinition = {
    PyModuleDef_HEAD_INIT, "_vyn", "VYN Python module.", 0, nullptr, kSlots, nullptr, nullptr, nullptr,
};

}  // namespace

}  // namespace vyn::module

PyMODINIT_FUNC PyInit__vyn() { return PyModuleDef_Init(&vyn::module::kDefinition); }
