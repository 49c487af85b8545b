#include "text/SystemReason.h"

#include <cerrno>
#include <cstring>

namespace kinetra {

QString SystemReason(int errorNumber, const QString& fallback)
{
    switch (errorNumber) {
    case ENOSPC:
        return QStringLiteral("Нет места на диске");
    case EDQUOT:
        return QStringLiteral("Превышена дисковая квота");
    case EFBIG:
        return QStringLiteral("Файл слишком велик");
    case EACCES:
    case EPERM:
        return QStringLiteral("Нет доступа");
    case EROFS:
        return QStringLiteral("Диск доступен только для чтения");
    case ENOENT:
        return QStringLiteral("Нет такого файла или папки");
    case ENOTDIR:
        return QStringLiteral("Часть пути не является папкой");
    case EISDIR:
        return QStringLiteral("Это папка, а не файл");
    case EEXIST:
        return QStringLiteral("Файл уже существует");
    case ENAMETOOLONG:
        return QStringLiteral("Слишком длинное имя файла");
    case ELOOP:
        return QStringLiteral("Слишком много символических ссылок в пути");
    case EIO:
        return QStringLiteral("Ошибка ввода-вывода");
    case EMFILE:
    case ENFILE:
        return QStringLiteral("Открыто слишком много файлов");
    case ENOMEM:
        return QStringLiteral("Недостаточно памяти");
    case EBUSY:
    case ETXTBSY:
        return QStringLiteral("Файл занят");
    case EPIPE:
        return QStringLiteral("Принимающая сторона закрыла канал");
    case ENXIO:
    case ENODEV:
        return QStringLiteral("Нет такого устройства");
    case EXDEV:
        return QStringLiteral("Файлы на разных дисках");
    case EAGAIN:
        return QStringLiteral("Ресурс временно недоступен");
    case EINTR:
        return QStringLiteral("Операция прервана");
    default:
        break;
    }
    if (!fallback.isEmpty())
        return fallback;
    if (errorNumber == 0)
        return QStringLiteral("Неизвестная ошибка");
    return QString::fromLocal8Bit(std::strerror(errorNumber));
}

QString NotARegularFile()
{
    return QStringLiteral("Это не обычный файл");
}

} // namespace kinetra
