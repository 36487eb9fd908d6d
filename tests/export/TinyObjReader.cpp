// The independent OBJ reader the export tests check against.
#define TINYOBJLOADER_IMPLEMENTATION
#include <tiny_obj_loader.h>
