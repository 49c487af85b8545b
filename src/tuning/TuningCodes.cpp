#include "TuningCodes.h"

namespace kinetra {

std::string_view RussianText(Loop loop)
{
    switch (loop) {
    case Loop::Current:
        return "контур тока (момента)";
    case Loop::Speed:
        return "контур скорости";
    case Loop::Position:
        return "контур положения";
    }
    return {};
}

std::string_view RussianText(Optimum optimum)
{
    switch (optimum) {
    case Optimum::Modulus:
        return "технический (модульный) оптимум";
    case Optimum::Symmetric:
        return "симметричный оптимум";
    }
    return {};
}

std::string_view RussianText(OptimumReason reason)
{
    switch (reason) {
    case OptimumReason::ArmatureLag:
        return "ПИ-регулятор компенсирует постоянную времени якоря";
    case OptimumReason::ArmatureFasterThanStep:
        return "постоянная времени якоря меньше шага: время интегрирования по шагу";
    case OptimumReason::LoadNeedsIntegral:
        return "статическая нагрузка: ПИ-регулятор без статической ошибки";
    case OptimumReason::NoLoadTorque:
        return "нет статической нагрузки: П-регулятор без перерегулирования";
    case OptimumReason::ServesPositionLoop:
        return "внутренний контур позиционирования: П-регулятор без перерегулирования";
    case OptimumReason::PositionIntegrates:
        return "объект интегрирует скорость: П-регулятор, компенсатор выключен";
    case OptimumReason::LimitWindsUpIntegral:
        return "разгон на ограничении тока: время интегрирования увеличено против насыщения "
               "интегратора";
    case OptimumReason::BrakingLimitsGain:
        return "коэффициент снижен до торможения на ограничении тока без реверса, компенсатор "
               "выключен";
    }
    return {};
}

std::string_view RussianText(Refusal refusal)
{
    switch (refusal) {
    case Refusal::NoMotor:
        return "не выбран двигатель";
    case Refusal::MotorNotRunnable:
        return "модель двигателя не работает с этими данными или этим источником";
    case Refusal::NoConverter:
        return "без преобразователя регулятор не работает";
    case Refusal::NoConverterVoltage:
        return "не заданы U0 или F0 преобразователя";
    case Refusal::NoReference:
        return "задание равно нулю";
    case Refusal::NoLoopSwitchedOn:
        return "все коэффициенты регуляторов равны нулю";
    case Refusal::NoSensorGain:
        return "коэффициент датчика равен нулю: контур не замкнут";
    case Refusal::CircuitNotDerived:
        return "параметры схемы двигателя не выводятся из его данных";
    case Refusal::PlantNotDerived:
        return "коэффициент или постоянная времени объекта не определены";
    }
    return {};
}

std::string_view RussianText(Caveat caveat)
{
    switch (caveat) {
    case Caveat::ThyristorPulses:
        return "тиристорный мост включается только в моменты пульсов";
    case Caveat::OneWayConduction:
        return "тиристорный мост не проводит обратный ток";
    case Caveat::LimitReached:
        return "достигнуто ограничение регулятора или напряжения";
    case Caveat::ElasticTransmission:
        return "упругая передача принята жесткой";
    case Caveat::Backlash:
        return "зазор передачи не входит в линейную модель";
    case Caveat::LargeDeviation:
        return "линейная модель и расчет расходятся более чем на 5 %";
    }
    return {};
}

std::string_view LoopTag(Loop loop)
{
    switch (loop) {
    case Loop::Current:
        return "I";
    case Loop::Speed:
        return "W";
    case Loop::Position:
        return "F";
    }
    return {};
}

} // namespace kinetra
