#include "ProjectSchema.h"

#include "Data_Line.h"
#include "Data_ProcessData.h"
#include "Data_Project.h"
#include "Data_SampleData.h"
#include "Data_Station.h"
#include "LibDORE.h"

void registerProjectSchema(LibDORE &db)
{
    db.RegisterObject(&Data_Project::staticMetaObject);
    db.RegisterObject(&Data_Line::staticMetaObject);
    db.RegisterObject(&Data_Station::staticMetaObject);
    db.RegisterObject(&Data_SampleData::staticMetaObject);
    db.RegisterObject(&Data_ProcessData::staticMetaObject);
}
