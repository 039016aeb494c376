#include "db/CCfgSchema.h"

#include "db/IOtlConnection.h"

namespace {

struct CfgTable
{
    const char* truncate;
    const char* drop;
    const char* create;
};

// In the order the tables are set up.
const CfgTable kCfgTables[] = {
    {"truncate table conf_system", "DROP TABLE conf_system",
     "CREATE TABLE conf_system (id int(10) NOT NULL auto_increment,name varchar(50) default NULL,value "
     "varchar(300) default NULL,PRIMARY KEY  (id)) ENGINE=MyISAM DEFAULT CHARSET=utf8"},
    {"truncate table conf_ivr_flow", "DROP TABLE conf_ivr_flow",
     "CREATE TABLE conf_ivr_flow (FlowID int(10) NOT NULL auto_increment,FilePath varchar(512) NOT "
     "NULL,PRIMARY "
     "KEY  (FlowID)) ENGINE=MyISAM DEFAULT CHARSET=utf8"},
    {"truncate table conf_dev", "DROP TABLE conf_dev",
     "CREATE TABLE conf_dev (id int(10) NOT NULL auto_increment,name varchar(50) default NULL,value "
     "varchar(300) "
     "default NULL,PRIMARY KEY (id)) ENGINE=MyISAM DEFAULT CHARSET=utf8"},
    {"truncate table conf_line", "DROP TABLE conf_line",
     "CREATE TABLE conf_line (id int(10) NOT NULL,type int(10) NOT NULL,value varchar(100) default "
     "NULL,PRIMARY "
     "KEY (id)) ENGINE=MyISAM DEFAULT CHARSET=utf8"},
    {"truncate table conf_vs", "DROP TABLE conf_vs",
     "CREATE TABLE conf_vs (id int(10) NOT NULL auto_increment,name varchar(50) default NULL,value "
     "varchar(300) "
     "default NULL,value2 varchar(300) default NULL,PRIMARY KEY (id)) ENGINE=MyISAM DEFAULT CHARSET=utf8"},
    {"truncate table conf_sip_account", "DROP TABLE conf_sip_account",
     "CREATE TABLE conf_sip_account (id int(10) NOT NULL,account varchar(50) NOT NULL,auth_account "
     "varchar(50) "
     "NOT NULL,password varchar(30) default NULL,proxy_addr varchar(50) NOT NULL,proxy_port int(10) NOT "
     "NULL,reg varchar(10) NOT NULL,reg_interval int(10) NOT NULL,PRIMARY KEY (id)) ENGINE=MyISAM DEFAULT "
     "CHARSET=utf8"},
    {"truncate table conf_trunk_item", "DROP TABLE conf_trunk_item",
     "CREATE TABLE conf_trunk_item(id int(10) NOT NULL,node int(10) NOT NULL,board int(10) NOT NULL,span "
     "int(10) NOT NULL,sip_user int(10) NOT NULL,PRIMARY KEY (id)) ENGINE=MyISAM DEFAULT CHARSET=utf8"},
    {"truncate table conf_trunk_match", "DROP TABLE conf_trunk_match",
     "CREATE TABLE conf_trunk_match(id int(10) NOT NULL auto_increment,prefix varchar(10) NOT NULL,caller "
     "varchar(30) NOT NULL,trunk_id int(10) NOT NULL,priority int(10) NOT NULL,PRIMARY KEY (id)) "
     "ENGINE=MyISAM "
     "DEFAULT CHARSET=utf8"},
};

} // namespace

bool CCfgSchema::ClearCfgTables(IOtlConnection& connection)
{
    for (const CfgTable& table : kCfgTables)
        connection.ExecuteSql(table.truncate);
    return true;
}

bool CCfgSchema::CreateCfgTables(IOtlConnection& connection)
{
    for (const CfgTable& table : kCfgTables) {
        connection.ExecuteSqlNoCheck(table.drop);
        if (!connection.ExecuteSql(connection.Role().TableCreate(table.create)))
            return false;
    }
    return true;
}
