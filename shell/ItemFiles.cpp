#include "shell/ItemFiles.h"

#include "platform/Registry.h"
#include "platform/UniqueOwner.h"
#include "program/ProgramValues.h"
#include "shell/Progman.h"
#include "shell/ShellCodePage.h"

#include <windows.h>

#include <objbase.h>
#include <shlobj.h>

#include <string_view>

namespace {

// COM for one operation on this thread.  Only an initialisation that
// succeeded (S_FALSE included) is balanced: a failed one must not be.
class ComScope {
public:
    ComScope()
        : initialized_(SUCCEEDED(CoInitialize(nullptr)))
    {
    }
    ~ComScope()
    {
        if (initialized_)
            CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    bool initialized_;
};

template <typename Interface> void ReleaseInterface(Interface* pointer)
{
    pointer->Release();
}

template <typename Interface>
using InterfacePointer = UniqueOwner<ReleasedBy<Interface*, ReleaseInterface<Interface>>>;

// A path for the shell's calls, none of which takes a longer one.  No
// wide string class: the program has no other use for one.
class WidePath {
public:
    wchar_t* Buffer() { return text_; }
    const wchar_t* Get() const { return text_; }
    // Takes the length of what a call wrote into the buffer.
    void Measure()
    {
        size_ = 0;
        while (text_[size_] != L'\0')
            ++size_;
    }
    // Appends `text` read in `codePage`; false, the path unusable, where it
    // does not convert or fit.  A room of 0 would ask for the size alone.
    bool Append(std::string_view text, unsigned codePage)
    {
        const int room = static_cast<int>(MAX_PATH - 1 - size_);
        const int added = text.empty() || room <= 0 ? 0
                                                    : MultiByteToWideChar(codePage, 0, text.data(),
                                                        static_cast<int>(text.size()), text_ + size_, room);
        size_ += static_cast<std::size_t>(added);
        text_[size_] = L'\0';
        return added > 0;
    }
    // Leaves the path's folder: the part before its last backslash.
    void CutToFolder()
    {
        while (size_ > 0 && text_[--size_] != L'\\') { }
        text_[size_] = L'\0';
    }

private:
    wchar_t text_[MAX_PATH] = {};
    std::size_t size_ = 0;
};

// The item's file in `group`, its code page 932 name read in `codePage`;
// false where there is none.
bool ItemFileIn(WidePath& path, const std::string& group, unsigned codePage)
{
    if (group.empty()
        || SHGetFolderPathW(nullptr, CSIDL_PROGRAMS, nullptr, SHGFP_TYPE_CURRENT, path.Buffer()) != S_OK)
        return false;
    path.Measure();
    return path.Append(std::string("\\").append(ItemShortcutPath(group, ItemTitle)), codePage);
}

// Deletes the item's file in `group` named in `codePage`; false where one
// may stay: a path that cannot be built tells nothing about the file.
bool ItemFileGone(const std::string& group, unsigned codePage)
{
    WidePath file;
    if (!ItemFileIn(file, group, codePage))
        return false;
    if (DeleteFileW(file.Get()))
        return true;
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

} // namespace

std::optional<unsigned> ItemFilesCodePage()
{
    return ItemFilesCodePageFor(
        GetACP(), ReadRegistryString(HKEY_LOCAL_MACHINE, SystemCodePageKeyPath, SystemCodePageValueName));
}

Result<> AddItemFile(const std::string& group, const std::string& programPath, unsigned shellCodePage)
{
    WidePath file;
    WidePath program;
    const ComScope com;
    IShellLinkW* made = nullptr;
    if (!ItemFileIn(file, group, ProgramCodePage) || !program.Append(programPath, ProgramCodePage)
        || FAILED(CoCreateInstance(__uuidof(ShellLink), nullptr, CLSCTX_INPROC_SERVER, __uuidof(IShellLinkW),
            reinterpret_cast<void**>(&made))))
        return Failure { std::string(DdeOpenFailedText) };
    const InterfacePointer<IShellLinkW> link(made);
    IPersistFile* persist = nullptr;
    if (FAILED(link.Get()->QueryInterface(__uuidof(IPersistFile), reinterpret_cast<void**>(&persist))))
        return Failure { std::string(DdeOpenFailedText) };
    const InterfacePointer<IPersistFile> saved(persist);
    link.Get()->SetPath(program.Get());
    link.Get()->SetIconLocation(program.Get(), 0);
    program.CutToFolder();
    link.Get()->SetWorkingDirectory(program.Get());
    WidePath folder = file;
    folder.CutToFolder();
    const int created = SHCreateDirectoryExW(nullptr, folder.Get(), nullptr);
    if ((created != ERROR_SUCCESS && created != ERROR_ALREADY_EXISTS && created != ERROR_FILE_EXISTS)
        || FAILED(saved.Get()->Save(file.Get(), TRUE)))
        return Failure { std::string(DdeSendFailedText) };
    // An earlier build's item under the garbled name would start the
    // program a second time at every logon.
    if (!ItemFileGone(group, shellCodePage))
        return Failure { std::string(DdeSendFailedText) };
    return {};
}

Result<> DeleteItemFiles(const std::string& group, unsigned shellCodePage)
{
    // Both are tried, whatever became of the first.
    const bool ownGone = ItemFileGone(group, ProgramCodePage);
    if (!ItemFileGone(group, shellCodePage) || !ownGone)
        return Failure { std::string(DdeSendFailedText) };
    return {};
}
