#include "TuningCodes.h"

// The library stays free of Qt: the mark only lets the translation tools find these texts, which
// the windows then translate in the context it names.
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(context, text) text
#endif

namespace kinetra {

std::string_view RussianText(Loop loop)
{
    switch (loop) {
    case Loop::Current:
        return QT_TRANSLATE_NOOP("kinetra::TuningCodes", "контур тока (момента)");
    case Loop::Speed:
        return QT_TRANSLATE_NOOP("kinetra::TuningCodes", "контур скорости");
    case Loop::Position:
        return QT_TRANSLATE_NOOP("kinetra::TuningCodes", "контур положения");
    }
    return {};
}

std::string_view RussianText(Optimum optimum)
{
    switch (optimum) {
    case Optimum::Modulus:
        return QT_TRANSLATE_NOOP("kinetra::TuningCodes", "технический (модульный) оптимум");
    case Optimum::Symmetric:
        return QT_TRANSLATE_NOOP("kinetra::TuningCodes", "симметричный оптимум");
    }
    return {};
}

std::string_view RussianText(OptimumReason reason)
{
    switch (reason) {
    case OptimumReason::ArmatureLag:
        return QT_TRANSLATE_NOOP("kinetra::TuningCodes",
                                 "ПИ-регулятор компенсирует постоянную времени якоря");
    case OptimumReason::ArmatureFasterThanStep:
        return QT_TRANSLATE_NOOP(
            "kinetra::TuningCodes",
            "постоянная времени якоря меньше шага: время интегрирования по шагу");
    case OptimumReason::LoadNeedsIntegral:
        return QT_TRANSLATE_NOOP("kinetra::TuningCodes",
                                 "статическая нагрузка: ПИ-регулятор без статической ошибки");
    case OptimumReason::NoLoadTorque:
        return QT_TRANSLATE_NOOP("kinetra::TuningCodes",
                                 "нет статической нагрузки: П-регулятор без перерегулирования");
    case OptimumReason::ServesPositionLoop:
        return QT_TRANSLATE_NOOP(
            "kinetra::TuningCodes",
            "внутренний контур позиционирования: П-регулятор без перерегулирования");
    case OptimumReason::PositionIntegrates:
        return QT_TRANSLATE_NOOP("kinetra::TuningCodes",
                                 "объект интегрирует скорость: П-регулятор, компенсатор выключен");
    case OptimumReason::LimitWindsUpIntegral:
        return QT_TRANSLATE_NOOP(
            "kinetra::TuningCodes",
            "разгон на ограничении тока: время интегрирования увеличено против насыщения "
            "интегратора");
    case OptimumReason::BrakingLimitsGain:
        return QT_TRANSLATE_NOOP(
            "kinetra::TuningCodes",
            "коэффициент снижен до торможения на ограничении тока без реверса, компенсатор "
            "выключен");
    }
    return {};
}

std::string_view RussianText(Refusal refusal)
{
    switch (refusal) {
    case Refusal::NoMotor:
        return QT_TRANSLATE_NOOP("kinetra::TuningCodes", "не выбран двигатель");
    case Refusal::MotorNotRunnable:
        return QT_TRANSLATE_NOOP(
            "kinetra::TuningCodes",
            "модель двигателя не работает с этими данными или этим источником");
    case Refusal::NoConverter:
        return QT_TRANSLATE_NOOP("kinetra::TuningCodes",
                                 "без преобразователя регулятор не работает");
    case Refusal::NoConverterVoltage:
        return QT_TRANSLATE_NOOP("kinetra::TuningCodes", "не заданы U0 или F0 преобразователя");
    case Refusal::NoReference:
        return QT_TRANSLATE_NOOP("kinetra::TuningCodes", "задание равно нулю");
    case Refusal::NoLoopSwitchedOn:
        return QT_TRANSLATE_NOOP("kinetra::TuningCodes", "все коэффициенты регуляторов равны нулю");
    case Refusal::NoSensorGain:
        return QT_TRANSLATE_NOOP("kinetra::TuningCodes",
                                 "коэффициент датчика равен нулю: контур не замкнут");
    case Refusal::CircuitNotDerived:
        return QT_TRANSLATE_NOOP("kinetra::TuningCodes",
                                 "параметры схемы двигателя не выводятся из его данных");
    case Refusal::PlantNotDerived:
        return QT_TRANSLATE_NOOP("kinetra::TuningCodes",
                                 "коэффициент или постоянная времени объекта не определены");
    }
    return {};
}

std::string_view RussianText(Caveat caveat)
{
    switch (caveat) {
    case Caveat::ThyristorPulses:
        return QT_TRANSLATE_NOOP("kinetra::TuningCodes",
                                 "тиристорный мост включается только в моменты пульсов");
    case Caveat::OneWayConduction:
        return QT_TRANSLATE_NOOP("kinetra::TuningCodes",
                                 "тиристорный мост не проводит обратный ток");
    case Caveat::LimitReached:
        return QT_TRANSLATE_NOOP("kinetra::TuningCodes",
                                 "достигнуто ограничение регулятора или напряжения");
    case Caveat::ElasticTransmission:
        return QT_TRANSLATE_NOOP("kinetra::TuningCodes", "упругая передача принята жесткой");
    case Caveat::Backlash:
        return QT_TRANSLATE_NOOP("kinetra::TuningCodes",
                                 "зазор передачи не входит в линейную модель");
    case Caveat::LargeDeviation:
        return QT_TRANSLATE_NOOP("kinetra::TuningCodes",
                                 "линейная модель и расчет расходятся более чем на 5 %");
    }
    return {};
}

std::string_view LoopTag(Loop loop)
{
    switch (loop) {
    case Loop::Current:
        return QT_TRANSLATE_NOOP("kinetra::TuningCodes", "I");
    case Loop::Speed:
        return QT_TRANSLATE_NOOP("kinetra::TuningCodes", "W");
    case Loop::Position:
        return QT_TRANSLATE_NOOP("kinetra::TuningCodes", "F");
    }
    return {};
}

} // namespace kinetra
