#include "shell/file_refusals.h"

#include <cerrno>
#include <cstring>
#include <system_error>

#include "view/texts.h"

namespace zelkan {

std::string fileRefusal(const std::filesystem::path& path, int error) {
  std::error_code ignored;
  const auto status = std::filesystem::symlink_status(path, ignored);
  switch (error) {
    case ENOENT:
      // TRANSLATORS: the reasons a file cannot be opened or saved, each shown under the words
      // that name the file: a symbolic link to nothing, no such file or folder.
      if (std::filesystem::is_symlink(status)) return _("リンク先のファイルがありません。");
      return _("ファイルかフォルダがありません。");
    case EACCES:
    case EPERM:
      return _("このファイルを使う許可がありません。");
    case EISDIR:
      return _("ファイルではなくフォルダです。");
    case EINVAL:
    case ENXIO:
    case ENODEV: {
      // The files' own readers and writers refuse a name that is not a regular file with EINVAL.
      const auto target = std::filesystem::status(path, ignored);
      if (std::filesystem::exists(target) && !std::filesystem::is_regular_file(target))
        return _("普通のファイルではありません（パイプや装置など）。");
      break;
    }
    case EFBIG:
      return _("ファイルが大きすぎます。");
    case ENODATA:
      return _("ファイルが空です。");
    case ENOSPC:
    case EDQUOT:
      return _("ディスクがいっぱいです。");
    case EROFS:
      return _("読み出し専用のファイルシステムです。");
    case ELOOP:
      return _("リンクが輪になっています。");
    case ENAMETOOLONG:
      return _("名前が長すぎます。");
    case ENOTDIR:
      return _("パスの途中にフォルダでないものがあります。");
    case EIO:
      return _("読み書きの途中で装置が失敗しました。");
    case ENOMEM:
      return _("メモリが足りません。");
    case EBUSY:
    case ETXTBSY:
      return _("ファイルが使用中です。");
    case EMFILE:
    case ENFILE:
      return _("開いているファイルが多すぎます。");
    case EEXIST:  // a kept game's every name for its second taken
      return _("同じ名前のファイルがもうあります。");
    default:
      break;
  }
  return std::strerror(error);
}

}  // namespace zelkan
