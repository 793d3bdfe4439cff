#include "platform/CopyUnit.h"

#include "platform/Handle.h"

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr DWORD CopyBufferSize = 0x8000;

struct DosDateTime {
    WORD date;
    WORD time;
};

std::optional<DosDateTime> ReadLastWriteAsDos(HANDLE file)
{
    FILETIME written {};
    FILETIME local {};
    DosDateTime dos {};
    if (!GetFileTime(file, nullptr, nullptr, &written) || !FileTimeToLocalFileTime(&written, &local)
        || !FileTimeToDosDateTime(&local, &dos.date, &dos.time))
        return std::nullopt;
    return dos;
}

void SetLastWriteFromDos(HANDLE file, const std::optional<DosDateTime>& dos)
{
    FILETIME local {};
    FILETIME written {};
    if (dos && DosDateTimeToFileTime(dos->date, dos->time, &local)
        && LocalFileTimeToFileTime(&local, &written))
        SetFileTime(file, nullptr, nullptr, &written);
}

enum class CopyOutcome { Complete, ReadFailed, WriteFailed };

// The errors' texts differ only in their ending, so they are built in one
// place.
std::string FileMessage(const std::string& path, std::string_view ending)
{
    std::string text = "ﾌｧｲﾙ " + path;
    text.append(ending);
    return text;
}

CopyOutcome CopyContents(HANDLE from, HANDLE to, std::vector<char>& buffer)
{
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(from, buffer.data(), CopyBufferSize, &read, nullptr))
            return CopyOutcome::ReadFailed;
        if (read > 0) {
            DWORD written = 0;
            if (!WriteFile(to, buffer.data(), read, &written, nullptr) || written != read)
                return CopyOutcome::WriteFailed;
        }
        if (read != CopyBufferSize)
            return CopyOutcome::Complete;
    }
}

// Where the copy is written until it is whole.
constexpr std::string_view PartialCopySuffix = ".new";

Result<> CopyKeepDate(const std::string& source, const std::string& target, DWORD creation)
{
    std::vector<char> buffer(CopyBufferSize);

    UniqueHandle from(CreateFileA(source.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
        FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!from)
        return Failure { FileMessage(source, " は開けません") };

    const std::optional<DosDateTime> date = ReadLastWriteAsDos(from.Get());

    UniqueHandle to(CreateFileA(
        target.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, creation, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!to)
        return Failure { FileMessage(target, " を作成できません") };

    const CopyOutcome outcome = CopyContents(from.Get(), to.Get(), buffer);

    // The date is carried over even when the copy stopped short, and the
    // target is closed before the source.
    SetLastWriteFromDos(to.Get(), date);
    to.Reset();
    from.Reset();

    if (outcome == CopyOutcome::ReadFailed)
        return Failure { FileMessage(source, " を読み込めません") };
    if (outcome == CopyOutcome::WriteFailed)
        return Failure { FileMessage(target, " に書き込めません") };
    return {};
}

} // namespace

Result<> FileCopyKeepDate(const std::string& source, const std::string& target)
{
    return CopyKeepDate(source, target, CREATE_ALWAYS);
}

Result<> ReplaceFileKeepDate(const std::string& source, const std::string& target)
{
    // A partial file that an interrupted attempt left would refuse every
    // later one; a name that cannot be deleted stays and refuses this one.
    const std::string partial = target + std::string(PartialCopySuffix);
    DeleteFileA(partial.c_str());
    Result<> copied = CopyKeepDate(source, partial, CREATE_NEW);
    if (copied && !MoveFileExA(partial.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING))
        copied = Failure { FileMessage(target, " を作成できません") };
    if (!copied)
        DeleteFileA(partial.c_str());
    return copied;
}
