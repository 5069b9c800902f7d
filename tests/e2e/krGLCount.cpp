// krGLCount: an LD_PRELOAD library that counts the live OpenGL buffer and texture names of a
// program. It wraps glGenBuffers/glDeleteBuffers and glGenTextures/glDeleteTextures, passes
// each call on to the real driver, and after every change rewrites the file named by
// VOSSA_GLCOUNT_FILE with one line: "<live buffers> <live textures> <changes>".
#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <set>

namespace
{
typedef unsigned int GLuint;
typedef int GLsizei;
typedef void (*TGenFn)(GLsizei, GLuint*);
typedef void (*TDeleteFn)(GLsizei, const GLuint*);

std::mutex lock;
std::set<GLuint>* buffers = nullptr;
std::set<GLuint>* textures = nullptr;
unsigned long changes = 0;
int out = -2;

void Report()
{
    if (out == -2)
    {
        const char* path = std::getenv("VOSSA_GLCOUNT_FILE");
        out = path != nullptr ? open(path, O_WRONLY | O_CREAT | O_TRUNC, 0644) : -1;
    }
    if (out < 0)
    {
        return;
    }
    char line[96];
    const int n = std::snprintf(line, sizeof(line), "%zu %zu %lu\n", buffers->size(),
                                textures->size(), changes);
    if (ftruncate(out, 0) == 0 && n > 0)
    {
        const ssize_t written = pwrite(out, line, size_t(n), 0);
        (void)written;
    }
}

void Generated(std::set<GLuint>*& live, GLsizei n, const GLuint* names)
{
    std::lock_guard<std::mutex> guard(lock);
    if (buffers == nullptr)
    {
        buffers = new std::set<GLuint>();
        textures = new std::set<GLuint>();
    }
    for (GLsizei i = 0; i < n; ++i)
    {
        if (names[i] != 0)
        {
            live->insert(names[i]);
        }
    }
    ++changes;
    Report();
}

void Deleted(std::set<GLuint>*& live, GLsizei n, const GLuint* names)
{
    std::lock_guard<std::mutex> guard(lock);
    if (live == nullptr)
    {
        return;
    }
    for (GLsizei i = 0; i < n; ++i)
    {
        live->erase(names[i]);
    }
    ++changes;
    Report();
}

template <typename T> T Real(const char* name)
{
    return reinterpret_cast<T>(dlsym(RTLD_NEXT, name));
}
} // namespace

extern "C"
{
    __attribute__((visibility("default"))) void glGenBuffers(GLsizei n, GLuint* names)
    {
        static TGenFn real = Real<TGenFn>("glGenBuffers");
        real(n, names);
        Generated(buffers, n, names);
    }

    __attribute__((visibility("default"))) void glDeleteBuffers(GLsizei n, const GLuint* names)
    {
        static TDeleteFn real = Real<TDeleteFn>("glDeleteBuffers");
        Deleted(buffers, n, names);
        real(n, names);
    }

    __attribute__((visibility("default"))) void glGenTextures(GLsizei n, GLuint* names)
    {
        static TGenFn real = Real<TGenFn>("glGenTextures");
        real(n, names);
        Generated(textures, n, names);
    }

    __attribute__((visibility("default"))) void glDeleteTextures(GLsizei n, const GLuint* names)
    {
        static TDeleteFn real = Real<TDeleteFn>("glDeleteTextures");
        Deleted(textures, n, names);
        real(n, names);
    }
}
