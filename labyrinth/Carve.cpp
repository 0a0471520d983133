#include "labyrinth/Labyrinth.h"
