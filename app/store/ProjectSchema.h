#pragma once
// The five entity classes of a project database, registered parents first.

class LibDORE;

// Registers Data_Project, Data_Line, Data_Station, Data_SampleData and Data_ProcessData in that
// order, creating missing tables and adding missing columns.
void registerProjectSchema(LibDORE &db);
