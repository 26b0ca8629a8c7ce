#include "markup/MkNodePool.h"

#include <new>

TMkNodePool::~TMkNodePool()
{
    for (void *block : free_)
        ::operator delete(block);
}
