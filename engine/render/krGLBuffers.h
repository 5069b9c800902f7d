// krGLBuffers: the OpenGL 1.5 functions the renderer needs beyond OpenGL 1.1 (the buffer
// objects). Where the system's OpenGL library exports them they are called directly; where it
// stops at 1.1 (Windows' opengl32) they are looked up in the driver once a context is current.
// Include this header instead of <GL/gl.h> wherever buffer objects are used.
#pragma once

#include <cstddef>

#if defined(_WIN32)
#include <GL/gl.h>
#include <GL/glext.h>
extern PFNGLGENBUFFERSPROC krglGenBuffers;
extern PFNGLDELETEBUFFERSPROC krglDeleteBuffers;
extern PFNGLBINDBUFFERPROC krglBindBuffer;
extern PFNGLBUFFERDATAPROC krglBufferData;
extern PFNGLBUFFERSUBDATAPROC krglBufferSubData;
#define glGenBuffers krglGenBuffers
#define glDeleteBuffers krglDeleteBuffers
#define glBindBuffer krglBindBuffer
#define glBufferData krglBufferData
#define glBufferSubData krglBufferSubData
#else
#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>
#endif

// True when an OpenGL version string ("4.5 (Compatibility Profile) Mesa 22.3.6", "1.5.0 ...")
// names at least major.minor. Null, empty or malformed strings are false.
bool krGLVersionAtLeast(const char* version, int major, int minor);

// With a context current: checks that it offers OpenGL 1.5 and makes the buffer functions
// callable. False when it does not; `found` then receives the version the driver reports
// ("none" when it reports none), truncated to `size` bytes.
bool krLoadGLBuffers(char* found, size_t size);

// Makes the buffer functions callable (platform part of krLoadGLBuffers); false when the
// driver lacks one.
bool krFindGLBufferFunctions();
