#include "PathNames.h"

#include <strings.h>

#include <filesystem>

bool HasExtension(const std::string& path, const std::string& extension)
{
    return path.size() >= extension.size() &&
           strcasecmp(path.c_str() + path.size() - extension.size(), extension.c_str()) == 0;
}

std::string BesidePath(const std::string& file, const std::string& name)
{
    const size_t slash = file.rfind('/');
    if (name.empty() || name[0] == '/' || slash == std::string::npos)
        return name;
    return file.substr(0, slash + 1) + name;
}

std::string NameFrom(const std::string& file, const std::string& named)
{
    namespace fs = std::filesystem;
    const fs::path folder = fs::absolute(file).lexically_normal().parent_path();
    return fs::absolute(named).lexically_normal().lexically_relative(folder).string();
}

std::string WithExtension(const std::string& path, const std::string& extension)
{
    const size_t dot = path.rfind('.');
    const size_t slash = path.rfind('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return path + extension;
    return path.substr(0, dot) + extension;
}

std::string BaseName(const std::string& path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}
