// SPDX-License-Identifier: GPL-3.0-or-later
#include "python/src/errors.h"

#include "command/error_text.h"
#include "command/errors.h"
#include "design/catalogue.h"
#include "design/search.h"
#include "study/study_errors.h"

namespace py = pybind11;

namespace varnel::python {
namespace {

// The exception types live as long as the interpreter: never released.
PyObject* inputCheckError = nullptr;
PyObject* numberTextError = nullptr;
PyObject* floatingPointError = nullptr;
PyObject* goalError = nullptr;

PyObject* NewError(py::module_& module, const char* name, py::tuple bases, const char* doc) {
    const std::string qualified = std::string("varnel.") + name;
    PyObject* type = PyErr_NewExceptionWithDoc(qualified.c_str(), doc, bases.ptr(), nullptr);
    if (type == nullptr)
        throw py::error_already_set();
    module.add_object(name, py::reinterpret_borrow<py::object>(type));
    return type;
}

// The whole message, NUL bytes and all: a text that is not a number may hold any byte.
void SetError(PyObject* type, const std::string& message) {
    py::str text = py::reinterpret_steal<py::str>(
        PyUnicode_DecodeUTF8(message.data(), static_cast<Py_ssize_t>(message.size()), "replace"));
    PyErr_SetObject(type, text.ptr());
}

}  // namespace

void RegisterErrors(py::module_& module) {
    PyObject* base = NewError(module, "VarnelError", py::make_tuple(py::handle(PyExc_Exception)),
                              "Any error of Varnel Coils.");
    const py::handle varnel(base);
    inputCheckError =
        NewError(module, "InputCheckError", py::make_tuple(varnel, py::handle(PyExc_ValueError)),
                 "An input failed the calculator's check; the message is the check's, such as "
                 "\"Введите R1 > 0\".");
    numberTextError =
        NewError(module, "NumberTextError", py::make_tuple(varnel, py::handle(PyExc_ValueError)),
                 "A text is not a number by the calculator's rules; the message names it as the "
                 "calculator's error box does.");
    floatingPointError = NewError(
        module, "FloatingPointError", py::make_tuple(varnel, py::handle(PyExc_FloatingPointError)),
        "Overflow, division by zero or an invalid operation in the calculation, with the "
        "calculator's message (\"Floating point overflow.\").");
    goalError = NewError(module, "GoalError", py::make_tuple(varnel, py::handle(PyExc_ValueError)),
                         "Goals, a catalogue or a tolerance that make no sense.");
    py::register_exception_translator([](std::exception_ptr error) {
        try {
            std::rethrow_exception(error);
        } catch (const InputCheckFailure& e) {
            SetError(inputCheckError, e.what());
        } catch (const ConversionError& e) {
            SetError(numberTextError, ErrorDisplayText(e.message()));
        } catch (const ArithmeticError& e) {
            SetError(floatingPointError, ErrorDisplayText(e.message()));
        } catch (const GoalFailure& e) {
            SetError(goalError, e.what());
        } catch (const design::GoalError& e) {
            SetError(goalError, e.what());
        } catch (const design::CatalogueError& e) {
            SetError(goalError, e.what());
        } catch (const BadRequestError& e) {
            SetError(PyExc_ValueError, e.what());
        }
    });
}

void ThrowUnlessResults(const CalcOutcome& outcome) {
    switch (outcome.kind) {
        case CalcOutcome::Kind::Results:
            return;
        case CalcOutcome::Kind::CheckFailed:
            throw InputCheckFailure(outcome.message);
        case CalcOutcome::Kind::Error:
            if (outcome.error)
                std::rethrow_exception(outcome.error);
            throw ArithmeticError(outcome.message);
    }
}

}  // namespace varnel::python
