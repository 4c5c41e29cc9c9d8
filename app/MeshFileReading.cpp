#include "MeshFileReading.h"

#include <exception>
#include <new>
#include <vector>

#include "FileBase.h"
#include "MeshModelBuilder.h"

bool readMeshFile(const std::string& path, MeshModel& model) {
    try {
        CFile file;
        if (!file.Open(path.c_str(), CFile::modeRead | CFile::shareDenyNone)) return false;
        MeshModelBuilder builder;
        builder.expectAtMost(file.GetLength());
        std::vector<char> block(64 * 1024);
        while (!builder.readsNoMore())
            if (UINT count = file.Read(block.data(), static_cast<UINT>(block.size()))) builder.feed(block.data(), count);
            else break;
        model = builder.finish();
        return true;
    } catch (const CFileException&) {
        return false;
    } catch (const std::bad_alloc&) {
        throw;  // the caller says so: it is not that the file could not be read
    } catch (const std::exception&) {
        return false;
    }
}
