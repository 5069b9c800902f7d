// Fuzz target: the packed mesh block parser and the CPU half of face flattening. A refused
// block leaves an empty array; an accepted one has every face index inside its lists, so
// flattening yields three corners per face.
#include <cstdlib>
#include <cstring>

#include "krFuzzInput.h"
#include "render/krVertexArray.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const krFuzzInput copy(data, size);
    krMemoryBlock block = copy.Block();

    krVertexArray mesh(4);
    mesh.SetMoveToCenter(true);
    if (mesh.ParseMeshBlock(&block))
    {
        const uint64_t faces = mesh.faceCount;
        mesh.ExpandFaces();
        if (mesh.vertexCount != 3 * faces || mesh.normalCount != 3 * faces ||
            mesh.texCoordCount != 3 * faces)
        {
            abort();
        }
        mesh.CalculateBB();
    }
    else if (mesh.vertexCount || mesh.normalCount || mesh.texCoordCount || mesh.faceCount)
    {
        abort();
    }
    return 0;
}
