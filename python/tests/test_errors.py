# SPDX-License-Identifier: GPL-3.0-or-later
"""The exceptions: their kinds, their messages whole, and wrong keywords or types named."""

import pytest

import varnel


def test_kinds_are_python_exceptions_of_the_right_family():
    assert issubclass(varnel.InputCheckError, ValueError)
    assert issubclass(varnel.NumberTextError, ValueError)
    assert issubclass(varnel.FloatingPointError, FloatingPointError)
    assert issubclass(varnel.FloatingPointError, ArithmeticError)
    for kind in (varnel.InputCheckError, varnel.NumberTextError, varnel.FloatingPointError,
                 varnel.GoalError, varnel.NoDesignError):
        assert issubclass(kind, varnel.VarnelError)


def test_conversion_error_keeps_the_whole_text_nul_included():
    with pytest.raises(varnel.NumberTextError) as caught:
        varnel.calculate(R1="1\x002")
    assert "1\x002" in str(caught.value)


def test_check_messages_name_each_input():
    for inputs, message in [(dict(H=0), "Введите H > 0"), (dict(h=-0.01), "Введите h > 0"),
                            (dict(D=0), "Введите D > 0"), (dict(Roe=0), "Введите Roe > 0"),
                            (dict(Ro=-1), "Введите Ro > 0"), (dict(Lambda=0), "Введите Lambda > 0")]:
        with pytest.raises(varnel.InputCheckError, match=f"^{message}$"):
            varnel.calculate(**inputs)


@pytest.mark.parametrize("call", [
    lambda: varnel.calculate(R3=0.01),
    lambda: varnel.Pair(R3=0.01),
    lambda: varnel.Pair().replace(R3=0.01),
    lambda: varnel.check(R3=0.01),
    lambda: varnel.field(0, 0, R3=0.01),
    lambda: varnel.design(B0=0.01, voltage=12, R3=0.01),
], ids=["calculate", "Pair", "replace", "check", "field", "design"])
def test_a_wrong_keyword_is_a_type_error_naming_it(call):
    with pytest.raises(TypeError, match="R3"):
        call()


@pytest.mark.parametrize("inputs,named", [
    (dict(R1=True), "R1"), (dict(R2=[0.02]), "R2"), (dict(source=None), "source"),
    (dict(current="yes"), "current"),
])
def test_a_wrong_type_is_a_type_error_naming_the_input(inputs, named):
    with pytest.raises(TypeError, match=named):
        varnel.Pair(**inputs)


def test_the_field_refuses_a_pair_that_fails_its_check():
    with pytest.raises(varnel.InputCheckError, match="^Введите R2 > R1$"):
        varnel.field([0.0], [0.0], varnel.Pair(R2=0.01))
    with pytest.raises(varnel.NumberTextError):
        varnel.field(0, 0, varnel.Pair(Lambda="0.6.1"))
