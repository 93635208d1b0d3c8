#pragma once
// How many sample NPCs and items generateDefinitions writes.
int sampleNpcCount();
int sampleItemCount();
