#include "support/ConfigTables.h"

#include "support/TestDatabase.h"

namespace ConfigTables {

const std::vector<std::string>& Names()
{
    static const std::vector<std::string> names = {"conf_system", "conf_ivr_flow", "conf_dev", "conf_line",
                                                   "conf_vs", "conf_sip_account", "conf_trunk_item",
                                                   "conf_trunk_match"};
    return names;
}

bool CreateEmpty()
{
    return TestDatabase::DropTables(Names()) &&
           TestDatabase::Run({
               "CREATE TABLE conf_system (id int(10) NOT NULL auto_increment,name varchar(50) default NULL,value "
               "varchar(300) default NULL,PRIMARY KEY  (id)) ENGINE=MyISAM DEFAULT CHARSET=utf8",
               "CREATE TABLE conf_ivr_flow (FlowID int(10) NOT NULL auto_increment,FilePath varchar(512) NOT "
               "NULL,PRIMARY KEY  (FlowID)) ENGINE=MyISAM DEFAULT CHARSET=utf8",
               "CREATE TABLE conf_dev (id int(10) NOT NULL auto_increment,name varchar(50) default NULL,value "
               "varchar(300) default NULL,PRIMARY KEY (id)) ENGINE=MyISAM DEFAULT CHARSET=utf8",
               "CREATE TABLE conf_line (id int(10) NOT NULL,type int(10) NOT NULL,value varchar(100) default "
               "NULL,PRIMARY KEY (id)) ENGINE=MyISAM DEFAULT CHARSET=utf8",
               "CREATE TABLE conf_vs (id int(10) NOT NULL auto_increment,name varchar(50) default NULL,value "
               "varchar(300) default NULL,value2 varchar(300) default NULL,PRIMARY KEY (id)) ENGINE=MyISAM DEFAULT "
               "CHARSET=utf8",
               "CREATE TABLE conf_sip_account (id int(10) NOT NULL,account varchar(50) NOT NULL,auth_account "
               "varchar(50) NOT NULL,password varchar(30) default NULL,proxy_addr varchar(50) NOT NULL,proxy_port "
               "int(10) NOT NULL,reg varchar(10) NOT NULL,reg_interval int(10) NOT NULL,PRIMARY KEY (id)) "
               "ENGINE=MyISAM DEFAULT CHARSET=utf8",
               "CREATE TABLE conf_trunk_item(id int(10) NOT NULL,node int(10) NOT NULL,board int(10) NOT NULL,span "
               "int(10) NOT NULL,sip_user int(10) NOT NULL,PRIMARY KEY (id)) ENGINE=MyISAM DEFAULT CHARSET=utf8",
               "CREATE TABLE conf_trunk_match(id int(10) NOT NULL auto_increment,prefix varchar(10) NOT NULL,caller "
               "varchar(30) NOT NULL,trunk_id int(10) NOT NULL,priority int(10) NOT NULL,PRIMARY KEY (id)) "
               "ENGINE=MyISAM DEFAULT CHARSET=utf8",
           });
}

} // namespace ConfigTables
