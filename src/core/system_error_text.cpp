#include "core/system_error_text.h"

#include <cerrno>
#include <cstring>

namespace yilou::history {

namespace {

const char* chineseReason(int errnum) {
    switch (errnum) {
    case ENOENT:
        return "文件或文件夹不存在";
    case EACCES:
    case EPERM:
        return "没有访问权限";
    case ENOSPC:
    case EDQUOT:
        return "磁盘空间不足";
    case EROFS:
        return "文件系统是只读的";
    case EISDIR:
        return "这是一个文件夹";
    case ENOTDIR:
        return "路径中有一部分不是文件夹";
    case EIO:
        return "读写设备出错";
    case ENOMEM:
        return "内存不足";
    case EFBIG:
        return "文件太大";
    case ENAMETOOLONG:
        return "文件名太长";
    case EMFILE:
    case ENFILE:
        return "打开的文件太多";
    case EBUSY:
    case ETXTBSY:
        return "文件正被使用";
    case EEXIST:
        return "文件已存在";
    default:
        return nullptr;
    }
}

} // namespace

std::string systemErrorText(int errnum) {
    const std::string system = std::strerror(errnum);
    const char* reason = chineseReason(errnum);
    return reason ? std::string(reason) + "（" + system + "）" : system;
}

std::string outOfMemoryText() {
    return systemErrorText(ENOMEM);
}

} // namespace yilou::history
