#include "text/SystemReason.h"

#include <cerrno>
#include <cstring>

#include <QCoreApplication>

namespace kinetra {

QString SystemReason(int errorNumber, const QString& fallback)
{
    switch (errorNumber) {
    case ENOSPC:
        return QCoreApplication::translate("SystemReason", "Нет места на диске");
    case EDQUOT:
        return QCoreApplication::translate("SystemReason", "Превышена дисковая квота");
    case EFBIG:
        return QCoreApplication::translate("SystemReason", "Файл слишком велик");
    case EACCES:
    case EPERM:
        return QCoreApplication::translate("SystemReason", "Нет доступа");
    case EROFS:
        return QCoreApplication::translate("SystemReason", "Диск доступен только для чтения");
    case ENOENT:
        return QCoreApplication::translate("SystemReason", "Нет такого файла или папки");
    case ENOTDIR:
        return QCoreApplication::translate("SystemReason", "Часть пути не является папкой");
    case EISDIR:
        return QCoreApplication::translate("SystemReason", "Это папка, а не файл");
    case EEXIST:
        return QCoreApplication::translate("SystemReason", "Файл уже существует");
    case ENAMETOOLONG:
        return QCoreApplication::translate("SystemReason", "Слишком длинное имя файла");
    case ELOOP:
        return QCoreApplication::translate("SystemReason",
                                           "Слишком много символических ссылок в пути");
    case EIO:
        return QCoreApplication::translate("SystemReason", "Ошибка ввода-вывода");
    case EMFILE:
    case ENFILE:
        return QCoreApplication::translate("SystemReason", "Открыто слишком много файлов");
    case ENOMEM:
        return QCoreApplication::translate("SystemReason", "Недостаточно памяти");
    case EBUSY:
    case ETXTBSY:
        return QCoreApplication::translate("SystemReason", "Файл занят");
    case EPIPE:
        return QCoreApplication::translate("SystemReason", "Принимающая сторона закрыла канал");
    case ENXIO:
    case ENODEV:
        return QCoreApplication::translate("SystemReason", "Нет такого устройства");
    case EXDEV:
        return QCoreApplication::translate("SystemReason", "Файлы на разных дисках");
    case EAGAIN:
        return QCoreApplication::translate("SystemReason", "Ресурс временно недоступен");
    case EINTR:
        return QCoreApplication::translate("SystemReason", "Операция прервана");
    default:
        break;
    }
    if (!fallback.isEmpty())
        return fallback;
    if (errorNumber == 0)
        return QCoreApplication::translate("SystemReason", "Неизвестная ошибка");
    return QString::fromLocal8Bit(std::strerror(errorNumber));
}

QString NotARegularFile()
{
    return QCoreApplication::translate("SystemReason", "Это не обычный файл");
}

} // namespace kinetra
