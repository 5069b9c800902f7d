// Fuzz target: the OBJ text parser. Lines of any content and length must be handled inside
// the text; a refused text leaves the lists as they were; accepted faces all refer to
// existing elements.
#include <cstdlib>
#include <cstring>

#include "krFuzzInput.h"
#include "render/krVertexArray.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const krFuzzInput copy(data, size);

    krVertexArray mesh(4);
    // One element of each kind already present: new indices count from it.
    mesh.AppendVertex(1, 2, 3);
    mesh.AppendNormal(0, 0, 1);
    mesh.AppendTexCoord(0.5f, 0.5f);
    if (mesh.ParseObjText(copy.Text(), size))
    {
        const uint64_t faces = mesh.faceCount;
        mesh.ExpandFaces();
        if (mesh.vertexCount != 3 * faces)
        {
            abort();
        }
        mesh.CalculateBB();
    }
    else if (mesh.vertexCount != 1 || mesh.normalCount != 1 || mesh.texCoordCount != 1 ||
             mesh.faceCount != 0 || mesh.vertices[0][2] != 3.0f)
    {
        abort();
    }
    return 0;
}
