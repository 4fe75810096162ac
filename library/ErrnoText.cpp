#include <library/ErrnoText.h>

#include <cerrno>

std::string ErrnoText(int error)
{
    switch (error) {
    case ENOENT:
        return "文件夹不存在";
    case EACCES:
    case EPERM:
        return "没有访问权限";
    case EROFS:
        return "磁盘是只读的";
    case ENOSPC:
        return "磁盘空间已满";
    case EDQUOT:
        return "超出了磁盘配额";
    case ENAMETOOLONG:
        return "文件名太长";
    case EISDIR:
        return "已有同名的文件夹";
    case ENOTDIR:
        return "路径中有一部分不是文件夹";
    case EEXIST:
        return "文件已存在";
    case EBUSY:
    case ETXTBSY:
        return "文件正在被使用";
    case EMFILE:
    case ENFILE:
        return "打开的文件过多";
    case ELOOP:
        return "路径中的链接过多";
    case EIO:
        return "磁盘读写出错";
    default:
        return "系统错误，错误码 " + std::to_string(error);
    }
}
